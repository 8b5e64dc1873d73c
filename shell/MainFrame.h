#pragma once
// The main window: menu bar, toolbar, status bar and the two panes side by side, the
// palette on the left and the board on the right. It enables every command from the
// document's state and dispatches the commands it does not handle itself to the
// document.

#include "document/Document.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>

#include <array>
#include <map>
#include <memory>

class CBoardView;
class CChartDock;
class CMeasurementLog;
class CVeldtrakView;
class QAction;
class QLabel;
class QPrintPreviewDialog;
class QPrinter;
class QSplitter;
class QToolBar;

class CMainFrame : public QMainWindow, public CDocView {
    Q_OBJECT
public:
    static constexpr int kPaletteWidth = 145; // pixels

    explicit CMainFrame(CVeldtrakDoc& doc);
    ~CMainFrame() override;

    void OnUpdate(int hint, int argument) override;

    // Runs a command as its menu item would; disabled commands do nothing.
    void OnCommand(int id);
    bool IsCommandEnabled(int id) const;
    bool IsCommandChecked(int id) const;
    // Brings every menu item and toolbar button up to date with the document.
    void UpdateCommandUI();

    QAction* Action(int id) const;
    QToolBar* ToolBar() const { return m_pToolBar; }
    CBoardView& BoardPane() const { return *m_pBoard; }
    CVeldtrakView& PalettePane() const { return *m_pPalette; }
    QLabel& MessagePane() const { return *m_pMessage; }
    // What the probes measured, for saving during and after a measurement.
    const CMeasurementLog& MeasurementLog() const { return *m_pMeasurementLog; }
    // "Meetgrafiek": the chart of the measurement beside the board (hidden at first).
    CChartDock& ChartDock() const { return *m_pChartDock; }
    const std::array<QLabel*, 3>& Indicators() const { return m_indicators; }
    QLabel& ZoomPane() const { return *m_pZoom; }
    QPrinter& Printer();

    // Makes the pane in that row and column the active one (the board is column 1).
    void ActivatePane(int row, int column);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* CreateAction(int id, const char* text, const char* shortcut, bool checkable);
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateClient();
    void SwitchPane();
    void RefreshTitle();
    void ShowZoom();

    CVeldtrakDoc& m_doc;
    std::map<int, QAction*> m_actions;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pMessage = nullptr;
    QLabel* m_pZoom = nullptr;             // the board's zoom, "Zoom 100 %"
    std::array<QLabel*, 3> m_indicators{}; // CAP, NUM, SCRL
    std::array<bool, 3> m_lockKeysOn{};
    QSplitter* m_pSplitter = nullptr;
    CVeldtrakView* m_pPalette = nullptr;
    CBoardView* m_pBoard = nullptr;
    CChartDock* m_pChartDock = nullptr;
    std::unique_ptr<QPrinter> m_pPrinter;
    std::unique_ptr<CMeasurementLog> m_pMeasurementLog;
    QPointer<QPrintPreviewDialog> m_pPreview; // one preview at a time
    QTimer m_idleUpdate;
};
