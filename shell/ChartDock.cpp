#include "ChartDock.h"

#include "ChartCanvas.h"
#include "ChartPrinting.h"
#include "ChartReadout.h"
#include "MeasurementExport.h"
#include "document/MeasurementLog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

CChartDock::CChartDock(CVeldtrakDoc& doc, const CMeasurementLog& log, std::function<QPrinter&()> printer,
                       QWidget* parent)
    : QDockWidget(QStringLiteral("Meetgrafiek"), parent), m_doc(doc), m_log(log), m_printer(std::move(printer))
{
    setObjectName(QStringLiteral("meetgrafiek"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(4, 2, 4, 4);
    column->setSpacing(2);

    m_pButtonRow = new QWidget(content);
    auto* row = new QHBoxLayout(m_pButtonRow);
    row->setContentsMargins(0, 0, 0, 0);
    AddButton(ZoomIn, QStringLiteral("Inzoomen"), QStringLiteral("Minder tijd in beeld (ook met het muiswiel)"));
    AddButton(ZoomOut, QStringLiteral("Uitzoomen"), QStringLiteral("Meer tijd in beeld (ook met het muiswiel)"));
    AddButton(ShowAll, QStringLiteral("Alles tonen"), QStringLiteral("De hele meting in beeld"));
    AddButton(Overlaid, QStringLiteral("Over elkaar"), QStringLiteral("Alle sondes in één grafiek of elke sonde apart"));
    m_buttons[Overlaid]->setCheckable(true);
    row->addStretch(1);
    AddButton(Save, QStringLiteral("Opslaan..."), QStringLiteral("Sla de hele meting op als PNG of SVG"));
    AddButton(Print, QStringLiteral("Afdrukken..."), QStringLiteral("Druk de hele meting af op één pagina"));
    column->addWidget(m_pButtonRow);

    m_pCanvas = new CChartCanvas(doc, log, content);
    column->addWidget(m_pCanvas, 1);
    m_pTimeBar = new QScrollBar(Qt::Horizontal, content);
    column->addWidget(m_pTimeBar);
    m_pCursorLine = new QLabel(content);
    m_pMarksLine = new QLabel(content);
    for (QLabel* line : {m_pCursorLine, m_pMarksLine}) {
        line->setWordWrap(true);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(line);
    }
    setWidget(content);

    connect(m_buttons[ZoomIn], &QAbstractButton::clicked, this, [this] { m_pCanvas->ZoomBy(1); });
    connect(m_buttons[ZoomOut], &QAbstractButton::clicked, this, [this] { m_pCanvas->ZoomBy(-1); });
    connect(m_buttons[ShowAll], &QAbstractButton::clicked, m_pCanvas, &CChartCanvas::ShowAll);
    connect(m_buttons[Overlaid], &QAbstractButton::toggled, this, [this](bool on) { m_pCanvas->SetLanes(!on); });
    connect(m_buttons[Save], &QAbstractButton::clicked, this,
            [this] { SaveMeasurementChart(m_doc, m_log, m_pCanvas->Lanes()); });
    connect(m_buttons[Print], &QAbstractButton::clicked, this,
            [this] { PrintMeasurementChart(m_doc, m_log, m_printer(), this, m_pCanvas->Lanes()); });
    connect(m_pTimeBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != m_pCanvas->FirstTick())
            m_pCanvas->ScrollTo(value);
    });
    connect(m_pCanvas, &CChartCanvas::ViewChanged, this, [this] {
        FollowView();
        ShowReadout(); // the values under a cursor arrive with the ticks
    });
    connect(m_pCanvas, &CChartCanvas::CursorsChanged, this, &CChartDock::ShowReadout);
    FollowView();
    ShowReadout();
}

void CChartDock::AddButton(Button button, const QString& text, const QString& tip)
{
    auto* tool = new QToolButton(m_pButtonRow);
    tool->setText(text);
    tool->setToolTip(tip);
    tool->setAutoRaise(true);
    m_pButtonRow->layout()->addWidget(tool);
    m_buttons[button] = tool;
}

void CChartDock::FollowView()
{
    const long long visible = m_pCanvas->VisibleTicks();
    // A scroll bar counts in int: an hour has 72 000 ticks, a cut log at most 2^25.
    const long long end = std::max(m_log.TickCount() - visible, m_pCanvas->FirstTick()); // following
    const int last = int(std::clamp(end, 0LL, (long long)INT_MAX));
    const QSignalBlocker quiet(m_pTimeBar);
    m_pTimeBar->setRange(0, last);
    m_pTimeBar->setPageStep(int(std::min(visible, (long long)INT_MAX)));
    m_pTimeBar->setSingleStep(int(std::max(1LL, std::min(visible / 10, (long long)INT_MAX))));
    m_pTimeBar->setValue(int(std::min(m_pCanvas->FirstTick(), (long long)INT_MAX)));
    m_buttons[ZoomIn]->setEnabled(m_pCanvas->CanZoomIn());
    m_buttons[ZoomOut]->setEnabled(m_pCanvas->CanZoomOut());
    const bool measured = m_log.HasTraces();
    m_buttons[Save]->setEnabled(measured);
    m_buttons[Print]->setEnabled(measured);
}

void CChartDock::ShowReadout()
{
    const auto& hover = m_pCanvas->Hover();
    QString cursor = hover ? CursorReadout(m_log, *hover) : QString();
    if (cursor.isEmpty())
        cursor = m_log.HasTraces() ? QStringLiteral("Wijs een tijd aan om af te lezen; klik voor cursor A en B.")
                                   : QStringLiteral("Nog geen meting.");
    m_pCursorLine->setText(cursor);
    m_pMarksLine->setText(MarksReadout(m_log, m_pCanvas->Marks()[0], m_pCanvas->Marks()[1]));
}
