#include "inkimport.h"

#include "actionutilities.h"
#include "batchmodescope.h"
#include "boardunits.h"
#include "component.h"
#include "controllayer.h"
#include "inkcomponent.h"
#include "inkreplay.h"
#include "orrery.h"
#include "orreryview.h"
#include "pentool.h"
#include "toolmanager.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsScene>
#include <algorithm>
#include <boost/shared_ptr.hpp>

namespace {

const QString c_strShowCandidates = QStringLiteral("showcandidates");
// The pen whose colour and width ink takes when the active tool is no pen.
const QString c_strPlainPen = QStringLiteral("pen");

QRectF writingBounds(const QVector<SInkWriting>& pieces)
{
    QRectF bounds;
    for (const SInkWriting& piece : pieces)
        for (const QVector<QPointF>& stroke : piece.strokes)
            for (const QPointF& point : stroke)
                bounds |= QRectF(point, QSizeF(1.0, 1.0));
    return bounds;
}

// The part of the page in view, less a margin; the whole page where none of it is in view.
QRectF visibleArea(const COrreryView& view)
{
    const QRectF page = view.scene() ? view.scene()->sceneRect() : QRectF();
    QRectF area = view.mapToScene(view.viewport()->rect()).boundingRect();
    if (!page.isEmpty())
        area = area.intersected(page);
    if (area.isEmpty())
        area = page;
    const double dScale =
        view.transform().m11() > 0.0 ? view.transform().m11() : boardunits::c_dDefaultViewScale;
    const double dMargin =
        std::min(CInkReplay::c_dMarginPx / dScale, std::min(area.width(), area.height()) / 4.0);
    return area.adjusted(dMargin, dMargin, -dMargin, -dMargin);
}

// Moves the writing to the top-left corner of the area, shrunk to fit into it where it is larger.
void placeInto(QVector<SInkWriting>& pieces, const QRectF& area)
{
    const QRectF bounds = writingBounds(pieces);
    if (bounds.isEmpty() || area.isEmpty())
        return;
    const double dScale = std::min({1.0, area.width() / bounds.width(), area.height() / bounds.height()});
    for (SInkWriting& piece : pieces)
        for (QVector<QPointF>& stroke : piece.strokes)
            for (QPointF& point : stroke)
                point = area.topLeft() + (point - bounds.topLeft()) * dScale;
}

// The current pen: the active tool where it is a pen, else the board's plain pen.
const CPenTool* currentPen()
{
    CToolManager* pTools = COrrery::getToolManager();
    if (!pTools)
        return nullptr;
    if (const auto* pActive = dynamic_cast<const CPenTool*>(pTools->getActiveTool()))
        return pActive;
    return dynamic_cast<const CPenTool*>(pTools->getToolByName(c_strPlainPen));
}

// One ink component for the piece, in the pen's colour and width.
void insertInk(const SInkWriting& piece, const CPenTool* pPen)
{
    const boost::shared_ptr<CComponent> pInk = CComponent::create(QStringLiteral("ink"));
    if (!pInk)
        return;
    pInk->setPropertyValue(QStringLiteral("strokes"), CInkComponent::strokeList(piece.strokes));
    if (pPen)
        pPen->styleInk(*pInk);
    CControlLayer::get()->invokeInsertCommand(pInk, -1, -1);
}

// A piece of one stroke as small on the screen as a tap.
bool isDot(const SInkWriting& piece, const COrreryView& view)
{
    const QRectF bounds = view.transform().mapRect(writingBounds({piece}));
    return piece.strokes.size() == 1 && bounds.width() <= CPenTool::c_iTapMaxExtentPx &&
           bounds.height() <= CPenTool::c_iTapMaxExtentPx;
}

} // namespace

CInkImport::CInkImport(COrreryView* pView, QObject* pParent) : QObject(pParent), m_pView(pView)
{
}

bool CInkImport::importFile(const QString& strPath)
{
    m_strError.clear();
    CControlLayer* pControl = CControlLayer::get();
    if (!m_pView || !m_pView->topic() || !pControl) {
        m_strError = QStringLiteral("%1: there is no page to import onto").arg(strPath);
        return false;
    }
    CInkReplay layout;
    if (!layout.load(strPath)) {
        m_strError = layout.errorString();
        return false;
    }
    QVector<SInkWriting> pieces = layout.pieces();
    placeInto(pieces, visibleArea(*m_pView));

    CToolManager* pTools = COrrery::getToolManager();
    auto* pReader = dynamic_cast<CPenTool*>(pTools->getActiveTool());
    if (pReader && !pReader->penEventsEnabled())
        pReader = nullptr;
    const CPenTool* pPen = currentPen();
    // What the user wrote just before is read as theirs, not joined to the first imported piece.
    if (pReader)
        pReader->finishPendingWork();
    {
        // The step is named for what the user did rather than for the ink or text it left.
        CBatchModeScope batch(-1, tr("Import handwriting"));
        if (pReader) {
            // Nobody waits at a menu of readings for each piece of an import: the first one is taken.
            const QString strTool = pReader->getName();
            const QVariant showCandidates = pReader->getToolProperty(c_strShowCandidates);
            pTools->setToolProperty(strTool, c_strShowCandidates, false, false);
            for (const SInkWriting& piece : qAsConst(pieces)) {
                if (isDot(piece, *m_pView)) {
                    // To the pen a dot is a tap, which would pick what lies under it.
                    insertInk(piece, pPen);
                    continue;
                }
                CInkReplay::drawStrokes(m_pView, piece.strokes);
                // A message box while it read may have taken the tool away.
                if (auto* pActive = dynamic_cast<CPenTool*>(pTools->getActiveTool()))
                    pActive->finishWriting();
            }
            if (pTools->getToolByName(strTool))
                pTools->setToolProperty(strTool, c_strShowCandidates, showCandidates, false);
        } else {
            for (const SInkWriting& piece : qAsConst(pieces))
                insertInk(piece, pPen);
        }
    }
    emit signalImported(strPath, pieces.size());
    return true;
}

void CInkImport::slotImport(QWidget* pDialogParent)
{
    const QString strPath =
        QFileDialog::getOpenFileName(pDialogParent, tr("Import Handwriting"), QString(),
                                     tr("InkML handwriting (*.inkml *.xml);;All files (*)"));
    if (strPath.isEmpty())
        return;
    // Reading many pieces with the text pen takes a while, and the board cannot be used meanwhile.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool bImported = importFile(strPath);
    QApplication::restoreOverrideCursor();
    if (bImported)
        return;
    CActionUtilities::messageBox(
        CActionUtilities::eMessageBoxWarning, pDialogParent,
        tr("The handwriting in %1 cannot be imported.\n\n%2").arg(QFileInfo(strPath).fileName(), m_strError),
        QMessageBox::Ok, QMessageBox::Ok);
}
