#pragma once
// "Meetgrafiek": a dock beside the board with the measurement chart, its buttons
// (zoom, "Alles tonen", traces over each other, save, print), the cursor read-out
// and a scroll bar in time.

#include <QDockWidget>

#include <functional>

class CChartCanvas;
class CMeasurementLog;
class CVeldtrakDoc;
class QAbstractButton;
class QLabel;
class QPrinter;
class QScrollBar;

class CChartDock : public QDockWidget {
    Q_OBJECT
public:
    enum Button { ZoomIn, ZoomOut, ShowAll, Overlaid, Save, Print, ButtonCount };

    CChartDock(CVeldtrakDoc& doc, const CMeasurementLog& log, std::function<QPrinter&()> printer,
               QWidget* parent = nullptr);

    CChartCanvas& Canvas() const { return *m_pCanvas; }
    QAbstractButton& ButtonOf(Button button) const { return *m_buttons[button]; }
    // The cursor under the mouse, and the two placed cursors.
    QLabel& CursorLine() const { return *m_pCursorLine; }
    QLabel& MarksLine() const { return *m_pMarksLine; }
    QScrollBar& TimeBar() const { return *m_pTimeBar; }

private:
    void AddButton(Button button, const QString& text, const QString& tip);
    void FollowView();
    void ShowReadout();

    CVeldtrakDoc& m_doc;
    const CMeasurementLog& m_log;
    std::function<QPrinter&()> m_printer;
    CChartCanvas* m_pCanvas = nullptr;
    QAbstractButton* m_buttons[ButtonCount] = {};
    QLabel* m_pCursorLine = nullptr;
    QLabel* m_pMarksLine = nullptr;
    QScrollBar* m_pTimeBar = nullptr;
    QWidget* m_pButtonRow = nullptr;
};
