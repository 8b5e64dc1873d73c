// The main window's commands: which are enabled or checked, and where each one goes.
#include "MainFrame.h"

#include "AboutDialog.h"
#include "BlackboxCommand.h"
#include "ChartDock.h"
#include "CommandIds.h"
#include "MeasurementExport.h"
#include "document/MeasurementLog.h"
#include "boardview/BoardView.h"
#include "boardview/Printing.h"
#include "classroom/BoardChain.h"
#include "classroom/ProtectionDlg.h"
#include "classroom/SettingsDlg.h"
#include "platform/ModalRunner.h"
#include "platform/Paths.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QStatusBar>
#include <QToolBar>

namespace {

// A step in the chain saves the pupil's board without asking: the status bar says where,
// so that the clean worksheet on the way back does not look like lost work.
void ShowChainSave(QLabel& message, const CVeldtrakDoc& doc, const QString& saved)
{
    if (saved.isEmpty()) return;
    const QString file = FileSystemPath(saved);
    const QString root = QDir(FileSystemPath(doc.m_strFolderRoot)).absolutePath() + u'/';
    const QString shown = file.startsWith(root) ? file.mid(root.size()) : file;
    message.setText(QStringLiteral("Je bord is opgeslagen als ") + shown);
}

} // namespace

bool CMainFrame::IsCommandEnabled(int id) const
{
    switch (id) {
    case ID_APP_ABOUT:
    case ID_APP_EXIT:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
    case ID_VIEW_CHART:
        return true;
    case ID_PROTECTION:
        // The teacher's command: only a program started as the teacher's offers it.
        return m_doc.IsTeacherMode() && !m_doc.m_bBusy && !m_doc.m_bRunning;
    case ID_PREV_BOARD:
        return CanFollowBoardLink(m_doc, ChainLink::Previous);
    case ID_NEXT_BOARD:
        return CanFollowBoardLink(m_doc, ChainLink::Next);
    case ID_IDENTIFY_BLACKBOXES:
        return CanIdentifyBlackboxes(m_doc);
    case ID_VIEW_PAGINATION:
        return CanTogglePageFrames(m_doc);
    case ID_VIEW_ZOOM_IN:
        return m_pBoard->CanZoomIn();
    case ID_VIEW_ZOOM_OUT:
        return m_pBoard->CanZoomOut();
    case ID_VIEW_ZOOM_TRUE_SIZE:
        return m_pBoard->Mode() != MODE_STARTUP;
    case ID_EDIT_UNDO: // also the drag going on, before it became a step
        return m_doc.IsCommandEnabled(id) ||
               (m_doc.CanStepThroughHistory() && m_pBoard->IsDragging());
    case ID_MEASURE_SAVE_VALUES:
    case ID_MEASURE_SAVE_CHART:
        return m_pMeasurementLog->HasTraces();
    default:
        return m_doc.IsCommandEnabled(id);
    }
}

bool CMainFrame::IsCommandChecked(int id) const
{
    switch (id) {
    case ID_VIEW_TOOLBAR:
        return m_pToolBar->isVisibleTo(this);
    case ID_VIEW_STATUS_BAR:
        return statusBar()->isVisibleTo(this);
    case ID_VIEW_PAGINATION:
        return m_doc.m_bShowPages;
    case ID_VIEW_CHART:
        return m_pChartDock->isVisibleTo(this);
    case ID_MEASURE_START:
        return m_doc.m_bRunning;
    default:
        return false;
    }
}

void CMainFrame::UpdateCommandUI()
{
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(IsCommandEnabled(id));
        if (action->isCheckable()) action->setChecked(IsCommandChecked(id));
    }
}

void CMainFrame::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return; // a key can arrive before the buttons caught up with the board
    switch (id) {
    case ID_FILE_PRINT:
        if (PrintBoardWithDialog(*m_pBoard, Printer(), this))
            m_pMessage->setText(PrintScaleNote(m_doc, Printer()));
        break;
    case ID_FILE_PRINT_DIRECT:
        PrintBoard(*m_pBoard, Printer());
        m_pMessage->setText(PrintScaleNote(m_doc, Printer()));
        break;
    case ID_FILE_PRINT_PREVIEW:
        if (m_pPreview)
            m_pPreview->activateWindow();
        else
            m_pPreview = OpenPrintPreview(*m_pBoard, Printer(), this);
        m_pMessage->setText(PrintScaleNote(m_doc, Printer()));
        break;
    case ID_FILE_PRINT_SETUP: {
        QPageSetupDialog dialog(&Printer(), this);
        RunModal(dialog);
        break;
    }
    case ID_APP_EXIT:
        close();
        break;
    case ID_APP_ABOUT:
        ShowAboutBox(this);
        break;
    case ID_VIEW_TOOLBAR:
        m_pToolBar->setVisible(!m_pToolBar->isVisibleTo(this));
        break;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(!statusBar()->isVisibleTo(this));
        break;
    case ID_VIEW_PAGINATION:
        TogglePageFrames(m_doc);
        break;
    case ID_VIEW_CHART:
        m_pChartDock->setVisible(!m_pChartDock->isVisibleTo(this));
        break;
    case ID_VIEW_ZOOM_IN:
        m_pBoard->ZoomBy(1);
        break;
    case ID_VIEW_ZOOM_OUT:
        m_pBoard->ZoomBy(-1);
        break;
    case ID_VIEW_ZOOM_TRUE_SIZE:
        m_pBoard->ZoomToTrueSize();
        break;
    case ID_IDENTIFY_BLACKBOXES:
        IdentifyBlackboxes(m_doc);
        break;
    case ID_PROTECTION:
        SetProtection(m_doc);
        break;
    case ID_PREV_BOARD:
        ShowChainSave(*m_pMessage, m_doc, FollowBoardLink(m_doc, ChainLink::Previous));
        break;
    case ID_NEXT_BOARD:
        ShowChainSave(*m_pMessage, m_doc, FollowBoardLink(m_doc, ChainLink::Next));
        break;
    case ID_SETTINGS:
        EditSettings(m_doc);
        break;
    case ID_MEASURE_SAVE_VALUES:
        SaveMeasurementValues(m_doc, *m_pMeasurementLog);
        break;
    case ID_MEASURE_SAVE_CHART:
        SaveMeasurementChart(m_doc, *m_pMeasurementLog);
        break;
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        SwitchPane();
        break;
    default:
        m_doc.OnCommand(id);
        break;
    }
    m_pBoard->CommitUndoStep(); // a command that changed the board is one step
    UpdateCommandUI();
    RefreshTitle();
}
