#include "TimingProbe.h"

#include "boardview/BoardView.h"
#include "document/Document.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class CTimingProbe : public QObject, public CDocView {
public:
    CTimingProbe(CVeldtrakDoc& doc, CBoardView& view, bool startup, int tickSeconds)
        : QObject(&view), m_doc(doc), m_view(view), m_bStartup(startup), m_nTickSeconds(tickSeconds)
    {
        m_clock.start();
        view.viewport()->installEventFilter(this);
        view.installEventFilter(this);
        doc.AddView(this);
    }
    ~CTimingProbe() override { m_doc.RemoveView(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_view && event->type() == QEvent::Timer && m_nTimerMs < 0)
            m_nTimerMs = Now(); // the start-up timer: the first of the view's timers
        if (watched == m_view.viewport() && event->type() == QEvent::Paint) {
            if (m_nFirstPaintMs < 0)
                m_nFirstPaintMs = Now();
            if (m_bStartup && m_view.Mode() == MODE_STARTUP && m_view.StartImage() >= 1)
                QTimer::singleShot(0, this, [this] { ReportStartup(); }); // once painted
        }
        return false;
    }

    void OnUpdate(int hint, int) override
    {
        if (hint == HINT_OPENED && m_nTickSeconds > 0 && !m_bStarted) {
            m_bStarted = true;
            // After the start-up sequence has finished with the board.
            QTimer::singleShot(0, this, [this] { m_doc.OnCommand(ID_MEASURE_START); });
        }
        if (hint == HINT_TICK && m_bStarted) {
            m_ticks.push_back(m_clock.nsecsElapsed());
            if (m_ticks.back() - m_ticks.front() >= m_nTickSeconds * 1000000000LL)
                ReportTicks();
        }
    }

private:
    double Now() const { return double(m_clock.nsecsElapsed()) / 1e6; }

    [[noreturn]] static void End()
    {
        std::fflush(stdout);
        std::_Exit(0); // straight away: the start-up sequence may be waiting in a pause
    }

    void ReportStartup()
    {
        std::printf("probe first-paint-ms %.1f timer-ms %.1f image-ms %.1f\n", m_nFirstPaintMs,
                    m_nTimerMs, Now());
        End();
    }

    void ReportTicks()
    {
        const std::size_t n = m_ticks.size();
        double late = 0;
        for (std::size_t i = 1; i < n; ++i)
            late = std::max(late, double(m_ticks[i] - m_ticks[i - 1]) / 1e6 - 50.0);
        const double mean = double(m_ticks.back() - m_ticks.front()) / 1e6 / double(n - 1);
        std::printf("probe ticks %zu mean-ms %.3f late-ms %.1f components %zu\n", n, mean, late,
                    m_doc.m_components.size());
        End();
    }

    CVeldtrakDoc& m_doc;
    CBoardView& m_view;
    bool m_bStartup;
    int m_nTickSeconds;
    bool m_bStarted = false;
    QElapsedTimer m_clock;
    double m_nFirstPaintMs = -1;
    double m_nTimerMs = -1;
    std::vector<qint64> m_ticks;
};

} // namespace

void InstallTimingProbes(CVeldtrakDoc& doc, CBoardView& view)
{
    const bool startup = qEnvironmentVariableIntValue("VT_PROBE_STARTUP") == 1;
    const int seconds = std::clamp(qEnvironmentVariableIntValue("VT_PROBE_TICKS"), 0, 3600);
    if (startup || seconds > 0)
        new CTimingProbe(doc, view, startup, seconds); // owned by the view
}
