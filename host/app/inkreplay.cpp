#include "inkreplay.h"

#include "boardunits.h"
#include "component.h"
#include "controllayer.h"
#include "insertcommand.h"
#include "orderstatistics.h"
#include "orrery.h"
#include "orreryview.h"
#include "pentool.h"
#include "recognizermanager.h"
#include "recordingrecognizer.h"
#include "textcomponent.h"
#include "toolmanager.h"
#include "topic.h"
#include "updatepropertycommand.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QImage>
#include <QJsonArray>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QUndoStack>
#include <algorithm>
#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>

namespace {

const QString c_strShowCandidates = QStringLiteral("showcandidates");

void sendMouse(QWidget* pViewport, QEvent::Type eType, const QPointF& point)
{
    const Qt::MouseButton eButton = eType == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = eType == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(eType, point, point, pViewport->mapToGlobal(point.toPoint()), eButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(pViewport, &event);
}

// The text box that the command made (bCreated) or gave new text; a later box wins, a box's own new
// text does not make it an old one. A batch is looked into, since a piece of writing may be one undo
// step of several commands.
void findTextBox(const QUndoCommand* pCommand, qint64& iID, bool& bCreated)
{
    if (const auto* pInsert = dynamic_cast<const CInsertCommand*>(pCommand)) {
        if (pInsert->component() && pInsert->component()->getType() == QLatin1String("text")) {
            iID = pInsert->componentID();
            bCreated = true;
        }
    } else if (const auto* pUpdate = dynamic_cast<const CUpdatePropertyCommand*>(pCommand)) {
        if (pUpdate->property() == QLatin1String("string") && iID != pUpdate->componentID()) {
            iID = pUpdate->componentID();
            bCreated = false;
        }
    }
    for (int i = 0; i < pCommand->childCount(); ++i)
        findTextBox(pCommand->child(i), iID, bCreated);
}

} // namespace

QJsonObject SReplayedWriting::toJson() const
{
    QJsonObject object;
    object.insert(QStringLiteral("piece"), strPiece);
    object.insert(QStringLiteral("reading"), strReading);
    object.insert(QStringLiteral("alternatives"), QJsonArray::fromStringList(alternatives));
    if (!strTruth.isEmpty())
        object.insert(QStringLiteral("truth"), strTruth);
    if (iComponentID >= 0) {
        object.insert(QStringLiteral("id"), iComponentID);
        object.insert(QStringLiteral("position"), QJsonArray{position.x(), position.y()});
        object.insert(QStringLiteral("fontSize"), dFontSize);
        object.insert(QStringLiteral("letterHeight"), std::round(dLetterHeightPx * 10.0) / 10.0);
    } else {
        object.insert(QStringLiteral("id"), QJsonValue());
        object.insert(QStringLiteral("position"), QJsonValue());
        object.insert(QStringLiteral("fontSize"), QJsonValue());
        object.insert(QStringLiteral("letterHeight"), QJsonValue());
    }
    object.insert(QStringLiteral("writingHeight"), std::round(dWritingHeightPx * 10.0) / 10.0);
    object.insert(QStringLiteral("created"), bCreated);
    return object;
}

QString SReplayedWriting::toText() const
{
    QString strLine = QStringLiteral("%1: ").arg(strPiece);
    if (iComponentID < 0)
        strLine += QStringLiteral("no text box");
    else
        strLine += QStringLiteral("\"%1\" %2 box %3 at (%4, %5), %6 pt, letters %7 px for writing %8 px")
                       .arg(strReading, bCreated ? QStringLiteral("in new") : QStringLiteral("written over"))
                       .arg(iComponentID)
                       .arg(position.x(), 0, 'f', 0)
                       .arg(position.y(), 0, 'f', 0)
                       .arg(dFontSize, 0, 'f', 1)
                       .arg(dLetterHeightPx, 0, 'f', 0)
                       .arg(dWritingHeightPx, 0, 'f', 0);
    if (!strTruth.isEmpty())
        strLine += QStringLiteral(" (written: \"%1\"%2)")
                       .arg(strTruth, strTruth == strReading ? QStringLiteral(", right") : QString());
    if (!alternatives.isEmpty())
        strLine += QStringLiteral("; also ") + alternatives.join(QStringLiteral(", "));
    return strLine;
}

bool CInkReplay::load(const QString& strPath)
{
    m_pieces.clear();
    m_strError.clear();
    CInkMLReader reader;
    if (!reader.readFile(strPath)) {
        m_strError = reader.errorString();
        return false;
    }
    return loadFrom(reader, strPath);
}

bool CInkReplay::loadData(const QByteArray& data, const QString& strSourceName)
{
    m_pieces.clear();
    m_strError.clear();
    CInkMLReader reader;
    if (!reader.readData(data, strSourceName)) {
        m_strError = reader.errorString();
        return false;
    }
    return loadFrom(reader, strSourceName);
}

bool CInkReplay::loadFrom(const CInkMLReader& reader, const QString& strSourceName)
{
    m_pieces = reader.writings(CPenTool::writingPauseMs());
    QString strWhy;
    if (!layOut(reader.resolutionX(), reader.resolutionY(), strWhy)) {
        m_pieces.clear();
        m_strError = QStringLiteral("%1:1:1: %2").arg(strSourceName, strWhy);
        return false;
    }
    return true;
}

bool CInkReplay::setScale(double dFactor)
{
    if (!(dFactor > 0.0) || !std::isfinite(dFactor))
        return false;
    m_dFactor = dFactor;
    return true;
}

bool CInkReplay::setZoom(double dZoom)
{
    if (!(dZoom > 0.0) || !std::isfinite(dZoom))
        return false;
    m_dZoom = dZoom;
    return true;
}

bool CInkReplay::layOut(double dResolutionX, double dResolutionY, QString& strWhy)
{
    if (dResolutionX <= 0.0)
        dResolutionX = dResolutionY;
    if (dResolutionY <= 0.0)
        dResolutionY = dResolutionX;

    double dLeft = std::numeric_limits<double>::max();
    double dTop = std::numeric_limits<double>::max();
    double dRight = std::numeric_limits<double>::lowest();
    double dBottom = std::numeric_limits<double>::lowest();
    QVector<double> heights;
    for (const SInkWriting& piece : m_pieces)
        for (const QVector<QPointF>& stroke : piece.strokes) {
            double dMin = std::numeric_limits<double>::max();
            double dMax = std::numeric_limits<double>::lowest();
            for (const QPointF& point : stroke) {
                dMin = std::min(dMin, point.y());
                dMax = std::max(dMax, point.y());
                dLeft = std::min(dLeft, point.x());
                dRight = std::max(dRight, point.x());
            }
            dTop = std::min(dTop, dMin);
            dBottom = std::max(dBottom, dMax);
            heights.append(dMax - dMin);
        }

    // One scale for the whole file keeps its pieces' sizes to one another, as they were written. Of
    // a file without a resolution only the proportions are known: a line, about twice as tall as a
    // typical stroke, is given the height of ordinary writing.
    if (dResolutionX > 0.0) {
        m_dScaleX = m_dFactor * c_dBoardPixelsPerInch / dResolutionX;
        m_dScaleY = m_dFactor * c_dBoardPixelsPerInch / dResolutionY;
    } else {
        double dScale = 1.0;
        const double dStrokeHeight = median(heights);
        if (dStrokeHeight > 0.0)
            dScale = c_dLineHeightPx / (2.0 * dStrokeHeight);
        m_dScaleX = m_dScaleY = m_dFactor * dScale;
    }

    // A tiny declared resolution, or points far apart, would put writing beyond any board, or at
    // coordinates that are no numbers at all.
    const double dWidth = (dRight - dLeft) * m_dScaleX;
    const double dHeight = (dBottom - dTop) * m_dScaleY;
    if (!(dWidth <= c_dMaxExtentPx) || !(dHeight <= c_dMaxExtentPx)) {
        strWhy = QStringLiteral("the writing would be %1 by %2 pixels on the board, more than the %3 "
                                "pixels a side it may have")
                     .arg(dWidth, 0, 'g', 3)
                     .arg(dHeight, 0, 'g', 3)
                     .arg(c_dMaxExtentPx, 0, 'f', 0);
        return false;
    }

    const double dUnits = boardunits::c_dUnitsPerPixel / m_dZoom;
    for (SInkWriting& piece : m_pieces)
        for (QVector<QPointF>& stroke : piece.strokes)
            for (QPointF& point : stroke)
                point = QPointF(c_dMarginPx + (point.x() - dLeft) * m_dScaleX,
                                c_dMarginPx + (point.y() - dTop) * m_dScaleY) *
                        dUnits;
    return true;
}

bool CInkReplay::replay(COrreryView* pView, QVector<SReplayedWriting>& results)
{
    results.clear();
    m_strError.clear();
    CToolManager* pTools = COrrery::getToolManager();
    CTool* pTool = pTools ? pTools->getActiveTool() : nullptr;
    if (!pView || !pView->scene() || !dynamic_cast<CPenTool*>(pTool)) {
        m_strError = QStringLiteral("no pen tool is active on a board");
        return false;
    }
    CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    CRecognizer* pReading = pRecognizers ? pRecognizers->getActiveRecognizer() : nullptr;
    if (!pReading) {
        m_strError = QStringLiteral("no recognizer is active");
        return false;
    }

    // The recorder goes in front of whichever recognizer reads, once per host.
    auto* pRecorder = dynamic_cast<CRecordingRecognizer*>(pReading);
    if (!pRecorder) {
        pRecorder =
            dynamic_cast<CRecordingRecognizer*>(pRecognizers->getRecognizer(CRecordingRecognizer::c_strName));
        if (!pRecorder) {
            const auto pNew = boost::make_shared<CRecordingRecognizer>();
            pRecognizers->registerRecognizer(pNew);
            pRecorder = pNew.get();
        }
        pRecorder->setInner(pReading);
        pRecognizers->setActiveRecognizer(CRecordingRecognizer::c_strName);
    }
    // Nobody is there to choose from the menu of readings, which would wait for a choice for ever.
    const QString strTool = pTool->getName();
    const QVariant showCandidates = pTool->getToolProperty(c_strShowCandidates);
    pTools->setToolProperty(strTool, c_strShowCandidates, false, false);

    // The view shows the whole writing from the page's corner, as a board as large as the writing
    // would.
    pView->setZoom(m_dZoom);
    const double dMargin = c_dMarginPx * boardunits::c_dUnitsPerPixel / m_dZoom;
    QRectF bounds = pView->scene()->sceneRect();
    for (const SInkWriting& piece : m_pieces)
        for (const QVector<QPointF>& stroke : piece.strokes)
            for (const QPointF& point : stroke)
                bounds |= QRectF(point, QSizeF(dMargin, dMargin));
    pView->scene()->setSceneRect(bounds);
    pView->resize((bounds.size() * pView->transform().m11()).toSize() + QSize(64, 64));
    pView->horizontalScrollBar()->setValue(pView->horizontalScrollBar()->minimum());
    pView->verticalScrollBar()->setValue(pView->verticalScrollBar()->minimum());

    for (const SInkWriting& piece : m_pieces) {
        pRecorder->clear();
        SReplayedWriting result = writePiece(pView, piece);
        const QStringList readings = pRecorder->lastReadings();
        result.alternatives = readings.mid(1);
        results.append(result);
    }

    if (pTools->getToolByName(strTool))
        pTools->setToolProperty(strTool, c_strShowCandidates, showCandidates, false);
    pRecognizers->setActiveRecognizer(pRecorder->inner() ? pRecorder->inner()->getName() : QString());
    return true;
}

void CInkReplay::drawStrokes(COrreryView* pView, const QVector<QVector<QPointF>>& strokes)
{
    const QTransform toView = pView->viewportTransform();
    QWidget* pViewport = pView->viewport();
    for (const QVector<QPointF>& stroke : strokes) {
        if (stroke.isEmpty())
            continue;
        sendMouse(pViewport, QEvent::MouseButtonPress, toView.map(stroke.first()));
        for (int i = 1; i < stroke.size(); ++i)
            sendMouse(pViewport, QEvent::MouseMove, toView.map(stroke.at(i)));
        sendMouse(pViewport, QEvent::MouseButtonRelease, toView.map(stroke.last()));
    }
}

SReplayedWriting CInkReplay::writePiece(COrreryView* pView, const SInkWriting& piece)
{
    SReplayedWriting result;
    result.strPiece = piece.strId;
    result.strTruth = piece.strTruth;
    QUndoStack* pUndo = CControlLayer::get() ? CControlLayer::get()->undoStack() : nullptr;
    const int iFrom = pUndo ? pUndo->index() : 0;

    drawStrokes(pView, piece.strokes);
    // The tool may have changed while the piece was written (a plug-in torn down by a message box).
    if (auto* pPen = dynamic_cast<CPenTool*>(COrrery::getToolManager()->getActiveTool()))
        pPen->finishWriting();

    if (!pUndo)
        return result;
    qint64 iID = -1;
    bool bCreated = false;
    for (int i = iFrom; i < pUndo->index(); ++i)
        findTextBox(pUndo->command(i), iID, bCreated);
    const double dToScreen = pView->transform().m22();
    double dTop = std::numeric_limits<double>::max();
    double dBottom = std::numeric_limits<double>::lowest();
    for (const QVector<QPointF>& stroke : piece.strokes)
        for (const QPointF& point : stroke) {
            dTop = std::min(dTop, point.y());
            dBottom = std::max(dBottom, point.y());
        }
    result.dWritingHeightPx = dBottom >= dTop ? (dBottom - dTop) * dToScreen : 0.0;
    const CComponent* pBox = iID >= 0 && pView->topic() ? pView->topic()->getComponent(iID) : nullptr;
    if (!pBox)
        return result;
    result.iComponentID = iID;
    result.bCreated = bCreated;
    result.strReading = pBox->getPropertyValue(QStringLiteral("string")).toString();
    result.position = pBox->getPropertyValue(QStringLiteral("position")).toPointF();
    result.dFontSize = pBox->getPropertyValue(QStringLiteral("fontsize")).toDouble();
    if (const auto* pText = dynamic_cast<const CTextComponent*>(pBox))
        result.dLetterHeightPx =
            pText->letterHeight(piece.strTruth.isEmpty() ? result.strReading : piece.strTruth) * dToScreen;
    return result;
}

bool CInkReplay::saveBoard(const COrreryView* pView, const QString& strPath, QString* pError)
{
    auto fail = [&](const QString& strWhy) {
        if (pError)
            *pError = QStringLiteral("%1: cannot be written: %2").arg(strPath, strWhy);
        return false;
    };
    QGraphicsScene* pScene = pView ? pView->scene() : nullptr;
    if (!pScene)
        return fail(QStringLiteral("there is no board"));
    const double dScale = pView->transform().m11();
    const double dMargin = c_dMarginPx / dScale;
    const QRectF content = pScene->itemsBoundingRect();
    QRectF area(QPointF(0.0, 0.0), QSizeF(2 * dMargin, 2 * dMargin));
    if (!content.isEmpty())
        area |= content.adjusted(0.0, 0.0, dMargin, dMargin);
    QImage image((area.size() * dScale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        pScene->render(&painter, QRectF(QPointF(), image.size()), area);
    }
    QSaveFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!image.save(&file, "PNG"))
        return fail(QStringLiteral("the image could not be encoded"));
    if (!file.commit())
        return fail(file.errorString());
    return true;
}
