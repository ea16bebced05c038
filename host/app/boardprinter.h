// Puts the board's pages on paper or into a PDF file, one sheet each in the board's order, drawn as
// vectors: text stays text a reader can select and search, ink stays lines. Offers File > Export as
// PDF and File > Print for the window.
#pragma once

#include <QObject>

class CWorkspace;
class QAction;
class QDateTime;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

class CBoardPrinter : public QObject
{
    Q_OBJECT

public:
    // pWindow is the parent of the dialogs and the messages.
    explicit CBoardPrinter(QWidget* pWindow);

    // The pages iFirst to iLast (from 0, kept within the board's pages) onto the device, each on a
    // sheet of its own and as large as the sheet takes it whole; false when nothing could be drawn.
    static bool renderPages(const CWorkspace& board, QPagedPaintDevice& device, int iFirst, int iLast);
    // Every page into a new PDF file whose sheets have the board page's shape; false with the reason.
    static bool exportPdf(const CWorkspace& board, const QString& strPath, QString* pError);
    // The pages the printer was set to print (all, a range from 1 or the current page).
    static bool print(const CWorkspace& board, QPrinter& printer);
    // Where Export as PDF proposes to save: the documents folder (the home folder where there is
    // none), under a name with the date and time.
    static QString proposedPdfPath(const QDateTime& when);

    QAction* exportPdfAction() const { return m_pExportPdf; }
    QAction* printAction() const { return m_pPrint; }

private:
    void slotExportPdf();
    void slotPrint();

    QWidget* m_pWindow;
    QAction* m_pExportPdf;
    QAction* m_pPrint;
};
