#include "ChartPrinting.h"

#include "chart/ChartFiles.h"
#include "document/Document.h"
#include "document/MeasurementLog.h"
#include "document/MessageBox.h"
#include "platform/ModalRunner.h"
#include "platform/Strings.h"

#include <QDateTime>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

constexpr int kTitleError = 61493; // "Foutmelding"

QString BoardTitle(const CVeldtrakDoc& doc)
{
    return doc.m_strBoardTitle.isEmpty() ? doc.GetTitle() : doc.m_strBoardTitle;
}

} // namespace

bool PrintMeasurementChartPage(const CVeldtrakDoc& doc, const CMeasurementLog& log, QPrinter& printer, bool lanes)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintChartPage(painter, QRect(QPoint(0, 0), page.size()), log, BoardTitle(doc), QDateTime::currentDateTime(),
                   lanes);
    return painter.end();
}

bool PrintMeasurementChart(CVeldtrakDoc& doc, const CMeasurementLog& log, QPrinter& printer, QWidget* parent,
                           bool lanes)
{
    if (!log.HasTraces())
        return false;
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (RunModal(dialog) != QDialog::Accepted)
        return false;
    if (PrintMeasurementChartPage(doc, log, printer, lanes))
        return true;
    // The painter is gone by now: the message has the screen to itself.
    doc.m_messageBox.Show(QStringLiteral("De grafiek kon niet worden afgedrukt: de printer gaf een fout."),
                          LoadString(kTitleError));
    return false;
}
