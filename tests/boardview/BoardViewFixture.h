#pragma once
// A board view over a document in a temporary program folder, shown offscreen, with
// the sound recorded and helpers to place objects and read the surface.

#include "boardview/BoardView.h"
#include "platform/Sound.h"
#include "support/BoardFixture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Remembers what the program asked of the sound service, one line per request.
class CRecordingSound : public ISoundService {
public:
    void PlayLooping(const QString& path) override { log << "play " + QFileInfo(path).fileName(); }
    void StopAll() override { log << QStringLiteral("stop"); }
    void Beep(int frequency, int ms) override { log << QStringLiteral("beep %1 %2").arg(frequency).arg(ms); }
    QStringList log;
};

// Keeps a copy of the view's surface as it stands when a hint arrives: the board view
// was added to the document first, so it has handled the hint by then.
class CSurfaceAtHint : public CDocView {
public:
    CSurfaceAtHint(const CBoardView& view, int hint) : m_view(view), m_nHint(hint) {}
    void OnUpdate(int hint, int) override
    {
        if (hint == m_nHint)
            m_image = m_view.Surface().copy();
    }
    QImage m_image;

private:
    const CBoardView& m_view;
    int m_nHint;
};

// Creation indexes of some gates.
enum { AND_GATE = 3, INVERTER = 6, OR_GATE = 12 };

class BoardViewFixture : public BoardFixture {
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        m_previousSound = SetSoundService(&sound);
    }
    void TearDown() override
    {
        view.reset();
        SetSoundService(m_previousSound);
        BoardFixture::TearDown();
    }

    // Shows the view offscreen; its first paint has happened when this returns.
    CBoardView& ShowView(QSize size = QSize(640, 480))
    {
        view = std::make_unique<CBoardView>(*doc);
        view->m_screenSize = [] { return QSize(1280, 1024); };
        view->resize(size);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        Paint();
        return *view;
    }
    // Shows the view and goes past the first paint, which draws nothing.
    CBoardView& ShowBoard(QSize size = QSize(640, 480))
    {
        ShowView(size);
        doc->UpdateAllViews(HINT_REFRESH);
        Paint();
        return *view;
    }
    void Paint() { view->viewport()->repaint(); }
    // Draws the whole board afresh, as after objects were added behind the view's back.
    void Refresh()
    {
        doc->UpdateAllViews(HINT_REFRESH);
        Paint();
    }

    // Mouse events on the viewport at board points, as the user makes them.
    QPoint Client(CPoint board) const { return view->BoardToClient(board); }
    void Press(CPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(view->viewport(), b, Qt::NoModifier, Client(p));
    }
    void Release(CPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mouseRelease(view->viewport(), b, Qt::NoModifier, Client(p));
    }
    void MoveMouse(CPoint p) { QTest::mouseMove(view->viewport(), Client(p)); }
    void Click(CPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        Press(p, b);
        Release(p, b);
    }
    void Drag(CPoint from, CPoint to)
    {
        Press(from);
        MoveMouse(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
        MoveMouse(to);
        Release(to);
    }
    // Where a component's socket sits once the board has been drawn.
    CPoint SocketCentre(CComponent* c, int bus)
    {
        doc->LayOutSockets();
        return c->Bus(bus).GetCenter();
    }
    // Writes the surface into the folder named by VT_SCREENSHOTS, when it is set.
    void Screenshot(const QString& name) const
    {
        const QString folder = qEnvironmentVariable("VT_SCREENSHOTS");
        if (folder.isEmpty())
            return;
        QDir().mkpath(folder);
        view->Surface().save(folder + u'/' + name + QStringLiteral(".png"));
    }

    QRgb PixelAt(CPoint board) const
    {
        return view->Surface().pixel(view->BoardToClient(board)) & 0xFFFFFF;
    }
    // The top-left pixel of the start-up image on a freshly painted surface, found just
    // inside its frame, the first thing drawn from the top.
    QPoint StartImageCorner()
    {
        Paint();
        const QImage& s = view->Surface();
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x)
                if ((s.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return QPoint(x + 1, y + 1);
        return QPoint(-1, -1);
    }
    static bool AllWhite(const QImage& image)
    {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                    return false;
        return true;
    }

    // An empty worksheet with this board title.
    void WriteWorksheet(const QString& relative, const QString& title) const
    {
        CVeldtrakDoc writer;
        writer.m_strBoardTitle = title;
        WriteFile(relative, WriteBoard(writer));
    }

    CRecordingSound sound;
    std::unique_ptr<CBoardView> view;

private:
    ISoundService* m_previousSound = nullptr;
};
