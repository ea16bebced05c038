#include "tooltextpen.h"

#include "actionutilities.h"
#include "atomicoperationscope.h"
#include "batchmodescope.h"
#include "coloraction.h"
#include "component.h"
#include "controllayer.h"
#include "cursorutilities.h"
#include "edittexthelper.h"
#include "mouseeventpoint.h"
#include "orrery.h"
#include "orreryview.h"
#include "penbase.h"
#include "penfactory.h"
#include "recognizer.h"
#include "recognizermanager.h"
#include "scribble.h"
#include "selectionmanager.h"
#include "serviceslayer.h"
#include "textpennames.h"
#include "textpenplugin.h"
#include "toolmanager.h"
#include "toolpropertynames.h"
#include "trace.h"

#include <QGraphicsTextItem>
#include <QMenu>
#include <QSettings>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString textToolName()
{
    return QString::fromLatin1(toolproperty::c_szTextToolName);
}

} // namespace

CToolTextPen::CToolTextPen()
    : CPenTool(QStringLiteral(":/textpenplugin.text_pen_cursor"), QPoint(1, 30)), m_pDotCursor(nullptr),
      m_bWriting(false)
{
    TRACE_ENTER("CToolTextPen::CToolTextPen");
    enablePenEvents(true);
    enableHoldEvent(false);
    enableTapHoldEvent(false);

    // Every "textpen." write below is already pushed to the text tool when there is one.
    setToolProperty(QLatin1String(textpen::c_szOverwriteTextBox), false);
    setToolProperty(QLatin1String(textpen::c_szShowCandidates), false);
    setToolProperty(QLatin1String(textpen::c_szFontFamily), QStringLiteral("Arial"));
    setToolProperty(QLatin1String(textpen::c_szFontColor), QColor(Qt::black));
    setToolProperty(QLatin1String(textpen::c_szBold), false);
    setToolProperty(QLatin1String(textpen::c_szItalic), false);
    setToolProperty(QLatin1String(textpen::c_szUnderline), false);
    setToolProperty(QLatin1String(textpen::c_szLineColor), QStringLiteral("null;"));
    setToolProperty(QLatin1String(textpen::c_szFillColor), QColor(255, 255, 255, 0));
    setToolProperty(QLatin1String(textpen::c_szLineStyle), 1);
    setToolProperty(QLatin1String(textpen::c_szLineWidth), 5.0);
    setToolProperty(QLatin1String(toolproperty::c_szPenColor), QStringLiteral("null;"));
    setToolProperty(QLatin1String(toolproperty::c_szLineWidth), 3.0);
    setToolProperty(QLatin1String(toolproperty::c_szLineStyle), 1);

    connect(CServicesLayer::get(), SIGNAL(signalProfileLoaded()), this, SLOT(slotProfileLoaded()));
    syncPropertiesWithTextTool();
    m_pDotCursor =
        CCursorUtilities::loadCursor(QStringLiteral(":/textpenplugin.text_pen_cur_dot"), QPoint(-1, -1));
    m_bWriting = false;
    TRACE_EXIT("CToolTextPen::CToolTextPen");
}

CToolTextPen::~CToolTextPen()
{
    TRACE_ENTER("CToolTextPen::~CToolTextPen");
    delete m_pDotCursor;
    m_pDotCursor = nullptr;
    TRACE_EXIT("CToolTextPen::~CToolTextPen");
}

QString CToolTextPen::getName() const
{
    TRACE_ENTER("CToolTextPen::getName");
    TRACE_EXIT("CToolTextPen::getName");
    return QString::fromLatin1(textpen::c_szToolName);
}

QImage CToolTextPen::getIconImage(CTool::EIconSize eSize) const
{
    TRACE_ENTER("CToolTextPen::getIconImage");
    if (eSize != CTool::eIconLarge) {
        TRACE_EXIT("CToolTextPen::getIconImage");
        return QImage();
    }
    const QImage image(QStringLiteral(":/textpenplugin.text_pen.png"));
    TRACE_EXIT("CToolTextPen::getIconImage");
    return image;
}

QList<QString> CToolTextPen::getToolPropertyNames() const
{
    TRACE_ENTER("CToolTextPen::getToolPropertyNames");
    static const QList<QString> s_names = {
        QLatin1String(textpen::c_szFontFamily),     QLatin1String(textpen::c_szFontColor),
        QLatin1String(textpen::c_szBold),           QLatin1String(textpen::c_szItalic),
        QLatin1String(textpen::c_szUnderline),      QLatin1String(textpen::c_szOverwriteTextBox),
        QLatin1String(textpen::c_szShowCandidates), QLatin1String(textpen::c_szLineColor),
        QLatin1String(textpen::c_szFillColor),      QLatin1String(textpen::c_szLineStyle),
        QLatin1String(textpen::c_szLineWidth)};
    TRACE_EXIT("CToolTextPen::getToolPropertyNames");
    return s_names;
}

QList<QString> CToolTextPen::getPersistentProperties() const
{
    TRACE_ENTER("CToolTextPen::getPersistentProperties");
    const QList<QString> names = {QLatin1String(textpen::c_szOverwriteTextBox),
                                  QLatin1String(textpen::c_szShowCandidates)};
    TRACE_EXIT("CToolTextPen::getPersistentProperties");
    return names;
}

QVariant CToolTextPen::getToolProperty(const QString& strName) const
{
    if (strName == QLatin1String(toolproperty::c_szPrimaryColor)) {
        const QVariant fontColor = getToolProperty(QLatin1String(textpen::c_szFontColor));
        if (fontColor.type() == QVariant::Color)
            return QString(QStringLiteral("normal;") + CPenBase::encodeColor(fontColor.value<QColor>()));
    }
    return CTool::getToolProperty(strName);
}

QString CToolTextPen::setToolProperty(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CToolTextPen::setToolProperty");
    QString strResult = strName;
    if (strName == QLatin1String(textpen::c_szFontColor)) {
        const QColor color = value.value<QColor>();
        CTool::setToolProperty(QLatin1String(toolproperty::c_szPenColor),
                               QString(QStringLiteral("normal;") + CPenBase::encodeColor(color)));
        CTool::setToolProperty(strName, value);
        CColorAction::updateAllColorActions();
    } else if (strName == QLatin1String(toolproperty::c_szLineStyle)) {
        // The text pen's own pen is fixed; its outline style lives in "textpen.linestyle".
        CTool::setToolProperty(strName, 1);
    } else if (strName == QLatin1String(toolproperty::c_szLineWidth)) {
        CTool::setToolProperty(strName, 3.0);
    } else if (strName == QLatin1String(toolproperty::c_szPrimaryColor)) {
        const boost::shared_ptr<CPenBase> pPen = CPenFactory::createPen(value.toString());
        if (pPen) {
            const QColor color = pPen->getColor();
            CTool::setToolProperty(QLatin1String(toolproperty::c_szPenColor), value);
            CTool::setToolProperty(QLatin1String(textpen::c_szFontColor), QVariant(color));
            strResult = QLatin1String(textpen::c_szFontColor);
            CColorAction::updateAllColorActions();
        }
    } else {
        strResult = CTool::setToolProperty(strName, value);
    }
    syncPropertiesToTextTool(QList<QString>() << strName);
    return strResult;
}

bool CToolTextPen::canUsePenType(const QString& strPenType) const
{
    return strPenType == QLatin1String("normal");
}

QString CToolTextPen::getCategory()
{
    TRACE_ENTER("CToolTextPen::getCategory");
    TRACE_EXIT("CToolTextPen::getCategory");
    return QStringLiteral("text");
}

// ---- Activation, the text tool's properties, cursors and taps ----

void CToolTextPen::activate(bool bFlag)
{
    TRACE_ENTER("CToolTextPen::activate");
    CPenTool::activate(bFlag);
    syncPropertiesWithTextTool();
    emit siganlTextPenActivated();
    TRACE_EXIT("CToolTextPen::activate");
}

void CToolTextPen::deactivate(bool bFlag)
{
    TRACE_ENTER("CToolTextPen::deactivate");
    CPenTool::deactivate(bFlag);
    syncPropertiesToTextTool(getToolPropertyNames());
    TRACE_EXIT("CToolTextPen::deactivate");
}

void CToolTextPen::onExit()
{
    TRACE_ENTER("CToolTextPen::onExit");
    if (CToolManager* pToolManager = COrrery::getToolManager()) {
        syncPropertiesToTextTool(getToolPropertyNames());
        pToolManager->saveToolSettings();
    }
    TRACE_EXIT("CToolTextPen::onExit");
}

void CToolTextPen::slotProfileLoaded()
{
    TRACE_ENTER("CToolTextPen::slotProfileLoaded");
    syncPropertiesWithTextTool();
    emit siganlTextPenActivated();
    TRACE_EXIT("CToolTextPen::slotProfileLoaded");
}

void CToolTextPen::syncPropertiesWithTextTool()
{
    TRACE_ENTER("CToolTextPen::syncPropertiesWithTextTool");
    CToolManager* pToolManager = COrrery::getToolManager();
    CTool* pTextTool = pToolManager ? pToolManager->getToolByName(textToolName()) : nullptr;
    if (!pTextTool) {
        TRACE_EXIT("CToolTextPen::syncPropertiesWithTextTool");
        return;
    }
    const QList<QString> names = pTextTool->getToolPropertyNames();
    for (const QString& strName : names) {
        const QString strTarget = strName == QLatin1String(toolproperty::c_szPenColor)
                                      ? QLatin1String(textpen::c_szLineColor)
                                      : QLatin1String(textpen::c_szPropertyPrefix) + strName;
        setToolProperty(strTarget, pTextTool->getToolProperty(strName));
    }
    TRACE_EXIT("CToolTextPen::syncPropertiesWithTextTool");
}

void CToolTextPen::syncPropertiesToTextTool(const QList<QString>& names)
{
    TRACE_ENTER("CToolTextPen::syncPropertiesToTextTool");
    CToolManager* pToolManager = COrrery::getToolManager();
    CTool* pTextTool = pToolManager ? pToolManager->getToolByName(textToolName()) : nullptr;
    if (!pTextTool) {
        TRACE_EXIT("CToolTextPen::syncPropertiesToTextTool");
        return;
    }
    const QLatin1String prefix(textpen::c_szPropertyPrefix);
    for (const QString& strName : names) {
        if (!strName.startsWith(prefix))
            continue;
        const QString strShort = strName.mid(prefix.size());
        if (strName == QLatin1String(textpen::c_szLineColor)) {
            pToolManager->setToolProperty(textToolName(), QLatin1String(toolproperty::c_szPenColor),
                                          getToolProperty(strName), false);
        } else if (pTextTool->getToolPropertyNames().contains(strShort)) {
            pToolManager->setToolProperty(textToolName(), strShort, getToolProperty(strName), false);
        }
    }
    TRACE_EXIT("CToolTextPen::syncPropertiesToTextTool");
}

void CToolTextPen::showNormalCursor()
{
    TRACE_ENTER("CToolTextPen::showNormalCursor");
    const bool bDotCursor =
        COrrery::getUserSettings()->value(QStringLiteral("cursor.usedotcursor.writing"), QVariant()).toBool();
    if (m_bWriting) {
        if (COrreryView* pView = view())
            pView->setCursor(bDotCursor ? *m_pDotCursor : QCursor(Qt::BlankCursor));
    } else {
        CTool::showNormalCursor();
    }
    TRACE_EXIT("CToolTextPen::showNormalCursor");
}

QCursor CToolTextPen::getNormalCursor() const
{
    TRACE_ENTER("CToolTextPen::getNormalCursor");
    if (m_bWriting) {
        const QCursor cursor(*m_pDotCursor);
        TRACE_EXIT("CToolTextPen::getNormalCursor");
        return cursor;
    }
    const QCursor cursor = CPenTool::getNormalCursor();
    TRACE_EXIT("CToolTextPen::getNormalCursor");
    return cursor;
}

bool CToolTextPen::onMousePress(QMouseEvent* pEvent)
{
    TRACE_ENTER("CToolTextPen::onMousePress");
    m_bWriting = true;
    const bool bHandled = CPenTool::onMousePress(pEvent);
    TRACE_EXIT("CToolTextPen::onMousePress");
    return bHandled;
}

bool CToolTextPen::onMouseMove(QMouseEvent* pEvent)
{
    TRACE_ENTER("CToolTextPen::onMouseMove");
    const bool bHandled = CPenTool::onMouseMove(pEvent);
    TRACE_EXIT("CToolTextPen::onMouseMove");
    return bHandled;
}

bool CToolTextPen::onMouseRelease(QMouseEvent* pEvent)
{
    TRACE_ENTER("CToolTextPen::onMouseRelease");
    // The writing flag stays set between the strokes of one piece of writing.
    const bool bHandled = CPenTool::onMouseRelease(pEvent);
    TRACE_EXIT("CToolTextPen::onMouseRelease");
    return bHandled;
}

void CToolTextPen::onTap(const CMouseEventPoint& point)
{
    TRACE_ENTER("CToolTextPen::onTap");
    if (CSelectionManager* pSelection = COrrery::getSelectionManager()) {
        const QList<CComponent*> selected = pSelection->selectedItemsUnderMouse(point.pos());
        if (selected.isEmpty()) {
            if (COrreryView* pView = view())
                pSelection->selectAt(pView->mapFromScene(point.scenePos()),
                                     QFlags<CSelectionManager::ESelectionControl>());
        } else {
            CComponent* pComponent = selected.first();
            if (pComponent->getType() == QLatin1String("text") &&
                !pComponent->getPropertyValue(QStringLiteral("locked")).toBool()) {
                CEditTextHelper helper;
                helper.startEditText(pComponent);
            }
        }
    }
    discardDrawing();
    m_bWriting = false;
    TRACE_EXIT("CToolTextPen::onTap");
}

// ---- From finished writing to text ----

void CToolTextPen::onPenInput(boost::shared_ptr<CScribble> pScribble)
{
    TRACE_ENTER("CToolTextPen::onPenInput");
    // The pen-tool base always hands a scribble; without one there is nothing to read.
    if (pScribble) {
        QVector<QVector<QPointF>> strokes;
        viewScribbleToItemScribble(*pScribble, strokes);
        QStringList readings = resolveMatches(strokes);
        if (readings.isEmpty()) {
            discardDrawing();
        } else {
            CComponent* pTextBox = createOrUpdateTextComponent(pScribble, readings.first());
            discardDrawing();
            if (getToolProperty(QLatin1String(textpen::c_szShowCandidates)).toBool()) {
                readings.removeFirst();
                const QString strChosen = chooseCandidate(readings, QCursor::pos());
                if (!strChosen.isEmpty() && pTextBox)
                    updateComponentString(pTextBox, strChosen);
            }
        }
    }
    m_bWriting = false;
    resetPenTool();
    TRACE_EXIT("CToolTextPen::onPenInput");
}

QStringList CToolTextPen::getPossibleTextMatches(const QVector<QVector<QPointF>>& strokes)
{
    TRACE_ENTER("CToolTextPen::getPossibleTextMatches");
    CRecognizerManager* pManager = COrrery::getRecognizerManager();
    CRecognizer* pRecognizer = pManager ? pManager->getActiveRecognizer() : nullptr;
    if (!pRecognizer) {
        TRACE_EXIT("CToolTextPen::getPossibleTextMatches");
        return QStringList();
    }
    const QStringList readings = pRecognizer->recognize(strokes);
    TRACE_EXIT("CToolTextPen::getPossibleTextMatches");
    return readings;
}

QStringList CToolTextPen::resolveMatches(const QVector<QVector<QPointF>>& strokes)
{
    TRACE_ENTER("CToolTextPen::resolveMatches");
    const QStringList readings = getPossibleTextMatches(strokes);
    if (readings.isEmpty())
        CActionUtilities::messageBox(CActionUtilities::EMessageBoxType(0), nullptr,
                                     tr("Error in text recognition"), QMessageBox::Ok, QMessageBox::NoButton);
    TRACE_EXIT("CToolTextPen::resolveMatches");
    return readings;
}

QString CToolTextPen::chooseCandidate(const QStringList& candidates, const QPoint& position)
{
    TRACE_ENTER("CToolTextPen::chooseCandidate");
    CAtomicOperationScope scope;
    if (!scope.isInAtomicScope()) {
        TRACE_EXIT("CToolTextPen::chooseCandidate");
        return QString();
    }
    QMenu* pMenu = new QMenu(nullptr);
    for (const QString& strCandidate : candidates)
        pMenu->addAction(strCandidate);
    pMenu->move(position);
    QString strChosen;
    if (QAction* pChosen = pMenu->exec())
        strChosen = pChosen->text();
    delete pMenu;
    TRACE_EXIT("CToolTextPen::chooseCandidate");
    return strChosen;
}

// ---- Text boxes ----

CComponent* CToolTextPen::createOrUpdateTextComponent(boost::shared_ptr<CScribble> pScribble,
                                                      const QString& strText)
{
    TRACE_ENTER("CToolTextPen::createOrUpdateTextComponent");
    COrreryView* pView = COrrery::getView();
    if (!pView) {
        TRACE_EXIT("CToolTextPen::createOrUpdateTextComponent");
        return nullptr;
    }
    const QRect viewRect = pScribble->getRectBound();
    const QRectF sceneRect = pView->mapToScene(viewRect).boundingRect();
    if (CComponent* pTextBox = componentToUpdate(sceneRect)) {
        updateComponentString(pTextBox, strText);
        TRACE_EXIT("CToolTextPen::createOrUpdateTextComponent");
        return pTextBox;
    }
    const boost::shared_ptr<CComponent> pNew = makeTextComponent(viewRect, strText);
    // A box that the board did not take dies with this pointer and must not be handed on.
    CComponent* pResult = pNew && !pNew.unique() ? pNew.get() : nullptr;
    TRACE_EXIT("CToolTextPen::createOrUpdateTextComponent");
    return pResult;
}

CComponent* CToolTextPen::componentToUpdate(QRectF sceneRect)
{
    TRACE_ENTER("CToolTextPen::componentToUpdate");
    const QRectF wholeRect(sceneRect.toRect());
    COrreryView* pView = COrrery::getView();
    const QList<CComponent*> components =
        pView ? pView->componentsAt(wholeRect, nullptr, Qt::IntersectsItemBoundingRect, true)
              : QList<CComponent*>();
    if (components.isEmpty() || !getToolProperty(QLatin1String(textpen::c_szOverwriteTextBox)).toBool()) {
        TRACE_EXIT("CToolTextPen::componentToUpdate");
        return nullptr;
    }
    CComponent* pFrontMost = nullptr;
    double dBestDepth = 0.0;
    for (CComponent* pComponent : components) {
        const QGraphicsItem* pItem = pComponent->getGraphicsItem();
        const double dDepth = pItem ? pItem->zValue() : -1.0;
        if (dDepth >= dBestDepth) {
            dBestDepth = dDepth;
            pFrontMost = pComponent;
        }
    }
    if (!pFrontMost ||
        (pFrontMost->getType() != QLatin1String("text") &&
         pFrontMost->getType() != QLatin1String("textpen.component.textbox")) ||
        pFrontMost->getPropertyValue(QStringLiteral("locked")).toBool()) {
        TRACE_EXIT("CToolTextPen::componentToUpdate");
        return nullptr;
    }
    TRACE_EXIT("CToolTextPen::componentToUpdate");
    return pFrontMost;
}

bool CToolTextPen::updateComponentString(CComponent* pComponent, const QString& strText)
{
    TRACE_ENTER("CToolTextPen::updateComponentString");
    CBatchModeScope batch(-1);
    CControlLayer::get()->invokeUpdatePropertyCommand(pComponent->getID(), QStringLiteral("string"),
                                                      QVariant(strText), false);
    CControlLayer::get()->invokeUpdatePropertyCommand(
        pComponent->getID(), QLatin1String(toolproperty::c_szAlignment),
        getToolProperty(QLatin1String(textpen::c_szAlignment)), false);
    TRACE_EXIT("CToolTextPen::updateComponentString");
    return true;
}

boost::shared_ptr<CComponent> CToolTextPen::makeTextComponent(QRect viewRect, const QString& strText)
{
    TRACE_ENTER("CToolTextPen::makeTextComponent");
    const boost::shared_ptr<CComponent> pComponent = CComponent::create(QStringLiteral("text"));
    if (!pComponent) {
        TRACE_EXIT("CToolTextPen::makeTextComponent");
        return pComponent;
    }
    const double dFontSize = CTextPenUtilities::getFontSize(viewRect, strText);
    COrreryView* pView = COrrery::getView();
    const QPointF position = pView ? pView->mapToScene(viewRect.topLeft()) : QPointF(viewRect.topLeft());
    pComponent->setPropertyValue(QStringLiteral("position"), position);
    setupTextComponentProperties(pComponent.get(), dFontSize, strText);
    CControlLayer::get()->invokeInsertCommand(pComponent, -1, -1);
    TRACE_EXIT("CToolTextPen::makeTextComponent");
    return pComponent;
}

void CToolTextPen::setupTextComponentProperties(CComponent* pComponent, double dFontSize,
                                                const QString& strText)
{
    TRACE_ENTER("CToolTextPen::setupTextComponentProperties");
    QGraphicsTextItem* pTextItem = dynamic_cast<QGraphicsTextItem*>(pComponent);
    if (!pTextItem) {
        TRACE_EXIT("CToolTextPen::setupTextComponentProperties");
        return;
    }
    const QString strFamily = getToolProperty(QLatin1String(textpen::c_szFontFamily)).toString();
    const bool bBold = getToolProperty(QLatin1String(textpen::c_szBold)).toBool();
    const bool bUnderline = getToolProperty(QLatin1String(textpen::c_szUnderline)).toBool();
    const bool bItalic = getToolProperty(QLatin1String(textpen::c_szItalic)).toBool();
    const QColor fontColor = getToolProperty(QLatin1String(textpen::c_szFontColor)).value<QColor>();

    QTextCharFormat format;
    format.setFontFamily(strFamily);
    format.setFontPointSize(dFontSize);
    format.setFontWeight(bBold ? QFont::Bold : QFont::Normal);
    format.setUnderlineStyle(bUnderline ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
    format.setFontItalic(bItalic);
    format.setForeground(QBrush(fontColor, Qt::SolidPattern));
    QTextCursor cursor = pTextItem->textCursor();
    cursor.mergeBlockCharFormat(format);
    pTextItem->setTextCursor(cursor);
    pTextItem->document()->setDefaultFont(createTempFontForTool(dFontSize));

    const double dLineWidth =
        COrrery::getLPToDPRatio() * getToolProperty(QLatin1String(textpen::c_szLineWidth)).toDouble();
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szFontFamily),
                                 getToolProperty(QLatin1String(textpen::c_szFontFamily)));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szFontSize), dFontSize);
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szBold),
                                 getToolProperty(QLatin1String(textpen::c_szBold)));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szItalic),
                                 getToolProperty(QLatin1String(textpen::c_szItalic)));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szUnderline),
                                 getToolProperty(QLatin1String(textpen::c_szUnderline)));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szFontColor),
                                 getToolProperty(QLatin1String(textpen::c_szFontColor)));
    pComponent->setPropertyValue(QStringLiteral("verticalalignment"), int(Qt::AlignTop));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szPenColor),
                                 getToolProperty(QLatin1String(textpen::c_szLineColor)));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szFillColor),
                                 getToolProperty(QLatin1String(textpen::c_szFillColor)));
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szLineWidth), dLineWidth);
    pComponent->setPropertyValue(QLatin1String(toolproperty::c_szLineStyle),
                                 getToolProperty(QLatin1String(textpen::c_szLineStyle)));
    pComponent->setPropertyValue(QStringLiteral("string"), strText);
    pComponent->setPropertyValue(
        QLatin1String(toolproperty::c_szAlignment),
        static_cast<unsigned int>(getToolProperty(QLatin1String(textpen::c_szAlignment)).toInt()));
    TRACE_EXIT("CToolTextPen::setupTextComponentProperties");
}

QFont CToolTextPen::createTempFontForTool(double dPointSize)
{
    TRACE_ENTER("CToolTextPen::createTempFontForTool");
    QFont font;
    font.setFamily(getToolProperty(QLatin1String(textpen::c_szFontFamily)).toString());
    font.setPointSizeF(dPointSize);
    TRACE_EXIT("CToolTextPen::createTempFontForTool");
    return font;
}
