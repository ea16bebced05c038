#include "handwritingkeeper.h"

#include "component.h"
#include "controllayer.h"
#include "inkcomponent.h"
#include "orrery.h"
#include "penbase.h"
#include "replacecomponentcommand.h"
#include "toolpropertynames.h"
#include "topic.h"
#include "workspace.h"

#include <QColor>
#include <QCoreApplication>
#include <QGraphicsItem>
#include <QPolygonF>
#include <QUndoStack>

namespace {

const QString c_strText = QStringLiteral("text");
const QString c_strStrokes = QStringLiteral("strokes");
const QString c_strOrigin = QStringLiteral("origin");
const QString c_strPosition = QStringLiteral("position");
const QString c_strType = QStringLiteral("type");
const QString c_strProperties = QStringLiteral("properties");

CHandwritingKeeper::CScope*& currentScope()
{
    static CHandwritingKeeper::CScope* s_pScope = nullptr;
    return s_pScope;
}

CTopic* currentTopic()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace ? pWorkspace->getCurrentTopic() : nullptr;
}

// The writing with the box's place at this moment as its origin.
QVariantMap writingAt(const QVariantMap& writing, const CComponent& box)
{
    QVariantMap result = writing;
    result.insert(c_strOrigin, box.getPropertyValue(c_strPosition).toPointF());
    return result;
}

CComponent* replace(CTopic* pTopic, const boost::shared_ptr<CComponent>& pOld,
                    const boost::shared_ptr<CComponent>& pNew, const char* szStep)
{
    // A step pushed while the stack runs another would land inside it.
    if (!pNew || !pNew->getGraphicsItem() || CControlLayer::get()->isStepRunning())
        return nullptr;
    CControlLayer::get()->undoStack()->push(new CReplaceComponentCommand(
        pTopic->getID(), pOld, pNew, QCoreApplication::translate("CHandwritingKeeper", szStep)));
    return pTopic->getComponent(pNew->getID());
}

} // namespace

const char* const CHandwritingKeeper::c_szHandwriting = "handwriting";
const char* const CHandwritingKeeper::c_szTextBox = "textbox";

CHandwritingKeeper::CScope::CScope(const QVector<QVector<QPointF>>& strokes, const QColor& color,
                                   double dWidth)
    : m_pOuter(currentScope())
{
    QPolygonF all;
    for (const QVector<QPointF>& stroke : strokes)
        all += QPolygonF(stroke);
    m_writing.insert(c_strStrokes, CInkComponent::strokeList(strokes));
    m_writing.insert(QLatin1String(toolproperty::c_szPenColor),
                     QString(QStringLiteral("normal;") + CPenBase::encodeColor(color)));
    m_writing.insert(QLatin1String(toolproperty::c_szLineWidth), dWidth);
    // A dot or a straight line has bounds without area, which would meet nothing.
    m_bounds = all.boundingRect().adjusted(-1.0, -1.0, 1.0, 1.0);
    currentScope() = this;
}

CHandwritingKeeper::CScope::~CScope()
{
    currentScope() = m_pOuter;
}

void CHandwritingKeeper::keepForInsert(CComponent& component)
{
    const CScope* pScope = currentScope();
    if (pScope && component.getType() == c_strText)
        component.setPropertyValue(QLatin1String(c_szHandwriting), writingAt(pScope->m_writing, component));
}

QVariant CHandwritingKeeper::writingForNewText(CComponent& component)
{
    const CScope* pScope = currentScope();
    // A box whose text changes elsewhere while the writing is handed on (its editing ends) did not
    // come from this writing.
    const QGraphicsItem* pItem = component.getGraphicsItem();
    if (!pScope || component.getType() != c_strText || !pItem ||
        !pItem->sceneBoundingRect().intersects(pScope->m_bounds))
        return QVariant();
    const QVariant writing = writingAt(pScope->m_writing, component);
    // Picking another reading of what was just written keeps the writing as it is.
    return component.getPropertyValue(QLatin1String(c_szHandwriting)) == writing ? QVariant() : writing;
}

bool CHandwritingKeeper::hasHandwriting(const CComponent* pComponent)
{
    return pComponent && pComponent->getType() == c_strText &&
           !pComponent->getPropertyValue(QLatin1String(c_szHandwriting))
                .toMap()
                .value(c_strStrokes)
                .toList()
                .isEmpty();
}

bool CHandwritingKeeper::hasTextBox(const CComponent* pComponent)
{
    const QVariantMap box =
        pComponent ? pComponent->getPropertyValue(QLatin1String(c_szTextBox)).toMap() : QVariantMap();
    return pComponent && pComponent->getType() == QLatin1String("ink") && box.value(c_strType) == c_strText &&
           !box.value(c_strProperties).toList().isEmpty();
}

CComponent* CHandwritingKeeper::showHandwriting(qint64 iBoxID)
{
    CTopic* pTopic = currentTopic();
    const boost::shared_ptr<CComponent> pBox = pTopic ? pTopic->getSharedComponent(iBoxID) : nullptr;
    if (!hasHandwriting(pBox.get()))
        return nullptr;
    const QVariantMap writing = pBox->getPropertyValue(QLatin1String(c_szHandwriting)).toMap();
    const boost::shared_ptr<CComponent> pInk = CComponent::create(QStringLiteral("ink"));
    if (!pInk)
        return nullptr;
    for (const char* szName : {"strokes", toolproperty::c_szPenColor, toolproperty::c_szLineWidth})
        pInk->setPropertyValue(QLatin1String(szName), writing.value(QLatin1String(szName)));
    // A box moved since it was written shows its writing where it stands now.
    if (writing.contains(c_strOrigin))
        pInk->setPropertyValue(c_strPosition, pBox->getPropertyValue(c_strPosition).toPointF() -
                                                  writing.value(c_strOrigin).toPointF());
    QVariantList properties;
    for (const QString& strName : pBox->getPropertyNames())
        properties.append(QVariant(QVariantList{strName, pBox->getPropertyValue(strName)}));
    pInk->setPropertyValue(QLatin1String(c_szTextBox),
                           QVariantMap{{c_strType, pBox->getType()}, {c_strProperties, properties}});
    return replace(pTopic, pBox, pInk, QT_TRANSLATE_NOOP("CHandwritingKeeper", "Show handwriting"));
}

CComponent* CHandwritingKeeper::showText(qint64 iInkID)
{
    CTopic* pTopic = currentTopic();
    const boost::shared_ptr<CComponent> pInk = pTopic ? pTopic->getSharedComponent(iInkID) : nullptr;
    if (!pInk || !hasTextBox(pInk.get()))
        return nullptr;
    const QVariantMap kept = pInk->getPropertyValue(QLatin1String(c_szTextBox)).toMap();
    const boost::shared_ptr<CComponent> pBox = CComponent::create(kept.value(c_strType).toString());
    if (!pBox)
        return nullptr;
    for (const QVariant& property : kept.value(c_strProperties).toList()) {
        const QVariantList pair = property.toList();
        if (pair.size() == 2)
            pBox->setPropertyValue(pair.first().toString(), pair.last());
    }
    // Ink moved since it was shown takes the box along.
    const QVariantMap writing = pBox->getPropertyValue(QLatin1String(c_szHandwriting)).toMap();
    if (writing.contains(c_strOrigin))
        pBox->setPropertyValue(c_strPosition, writing.value(c_strOrigin).toPointF() +
                                                  pInk->getPropertyValue(c_strPosition).toPointF());
    return replace(pTopic, pInk, pBox, QT_TRANSLATE_NOOP("CHandwritingKeeper", "Show text"));
}
