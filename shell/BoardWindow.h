#pragma once
// The program's window while the full main frame is being built: the board drawn in a
// scrolling view, the file, board and measurement menus, and the 50 ms tick.

#include "document/Document.h"

#include <QBasicTimer>
#include <QImage>
#include <QMainWindow>

class CBoardCanvas;

class CBoardWindow : public QMainWindow, public CDocView {
    Q_OBJECT
public:
    explicit CBoardWindow(CVeldtrakDoc& doc);
    ~CBoardWindow() override;
    void OnUpdate(int hint, int argument) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void BuildMenus();
    void RefreshTitle();
    void UpdateCommandStates();

    CVeldtrakDoc& m_doc;
    CBoardCanvas* m_canvas = nullptr;
    QBasicTimer m_tick;
    QList<QPair<QAction*, int>> m_commands;
};
