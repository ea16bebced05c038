#include "boardprinter.h"

#include "actionutilities.h"
#include "layoutdirectionfollower.h"
#include "orrery.h"
#include "selectionhider.h"
#include "topic.h"
#include "userfolder.h"
#include "workspace.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QMainWindow>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>

namespace {

// A PDF sheet is as wide as a landscape A4 sheet, whatever the board page's height makes of it, so
// that it prints well without scaling and reads well on a screen.
const double c_dPdfSheetWidthMm = 297.0;

QSizeF boardPageSize(const CWorkspace& board)
{
    const CTopic* pFirst = board.topicAt(0);
    return pFirst ? pFirst->scene()->sceneRect().size() : QSizeF(1920.0, 1080.0);
}

} // namespace

CBoardPrinter::CBoardPrinter(QWidget* pWindow)
    : QObject(pWindow), m_pWindow(pWindow),
      m_pExportPdf(new QAction(CLayoutDirectionFollower::anchored(tr("Export as P&DF\u2026")), this)),
      m_pPrint(new QAction(CLayoutDirectionFollower::anchored(tr("&Print\u2026")), this))
{
    m_pPrint->setShortcut(QKeySequence::Print);
    connect(m_pExportPdf, &QAction::triggered, this, &CBoardPrinter::slotExportPdf);
    connect(m_pPrint, &QAction::triggered, this, &CBoardPrinter::slotPrint);
}

bool CBoardPrinter::renderPages(const CWorkspace& board, QPagedPaintDevice& device, int iFirst, int iLast)
{
    iFirst = std::max(iFirst, 0);
    iLast = std::min(iLast, board.topicCount() - 1);
    if (iFirst > iLast)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF sheet(0.0, 0.0, device.width(), device.height());
    for (int i = iFirst; i <= iLast; ++i) {
        if (i > iFirst && !device.newPage())
            return false;
        QGraphicsScene* pScene = board.topicAt(i)->scene();
        const QRectF page = pScene->sceneRect();
        // As large as the sheet takes the whole page, in its middle.
        QSizeF shown = page.size();
        shown.scale(sheet.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), shown);
        target.moveCenter(sheet.center());
        CSelectionHider hider(pScene);
        pScene->render(&painter, target, page, Qt::KeepAspectRatio);
    }
    return painter.end();
}

bool CBoardPrinter::exportPdf(const CWorkspace& board, const QString& strPath, QString* pError)
{
    QPdfWriter writer(strPath);
    writer.setCreator(QStringLiteral("Whiteboard"));
    writer.setTitle(QFileInfo(strPath).completeBaseName());
    const QSizeF page = boardPageSize(board);
    const double dHeight = c_dPdfSheetWidthMm * page.height() / page.width();
    // A page size is given upright; the orientation turns it.
    const QSizeF upright(std::min(c_dPdfSheetWidthMm, dHeight), std::max(c_dPdfSheetWidthMm, dHeight));
    writer.setPageLayout(QPageLayout(
        QPageSize(upright, QPageSize::Millimeter),
        dHeight < c_dPdfSheetWidthMm ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF()));
    if (renderPages(board, writer, 0, board.topicCount() - 1))
        return true;
    if (pError)
        *pError = tr("The file could not be written.");
    return false;
}

bool CBoardPrinter::print(const CWorkspace& board, QPrinter& printer)
{
    int iFirst = 0;
    int iLast = board.topicCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        iFirst = printer.fromPage() - 1;
        iLast = std::min(iLast, printer.toPage() - 1);
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        iFirst = iLast = board.indexOf(board.getCurrentTopic());
    }
    return renderPages(board, printer, iFirst, iLast);
}

QString CBoardPrinter::proposedPdfPath(const QDateTime& when)
{
    return QDir(userFolder(QStandardPaths::DocumentsLocation))
        .filePath(when.toString(QStringLiteral("'board-'yyyy-MM-dd-HHmm'.pdf'")));
}

void CBoardPrinter::slotExportPdf()
{
    QString strPath = QFileDialog::getSaveFileName(m_pWindow, tr("Export as PDF"),
                                                   proposedPdfPath(QDateTime::currentDateTime()),
                                                   tr("PDF documents (*.pdf)"));
    if (strPath.isEmpty())
        return;
    if (!strPath.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        strPath += QLatin1String(".pdf");
    QString strWhy;
    if (exportPdf(*COrrery::getWorkspace(), strPath, &strWhy)) {
        // As Export as PNG does: the user sees where the file went.
        if (auto* pMain = qobject_cast<QMainWindow*>(m_pWindow))
            pMain->statusBar()->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(strPath)), 5000);
    } else {
        CActionUtilities::messageBox(
            CActionUtilities::eMessageBoxWarning, m_pWindow,
            tr("The board could not be saved as %1. %2").arg(QDir::toNativeSeparators(strPath), strWhy),
            QMessageBox::Ok, QMessageBox::Ok);
    }
}

void CBoardPrinter::slotPrint()
{
    const CWorkspace& board = *COrrery::getWorkspace();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(tr("Board"));
    const QSizeF page = boardPageSize(board);
    printer.setPageOrientation(page.width() > page.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, m_pWindow);
    dialog.setWindowTitle(tr("Print Board"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, board.topicCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!print(board, printer))
        CActionUtilities::messageBox(CActionUtilities::eMessageBoxWarning, m_pWindow,
                                     tr("The board could not be printed."), QMessageBox::Ok, QMessageBox::Ok);
}
