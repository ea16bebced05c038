#include "texttool.h"

#include "component.h"
#include "controllayer.h"
#include "edittexthelper.h"
#include "orrery.h"
#include "orreryview.h"
#include "topic.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QStringList& textProperties()
{
    static const QStringList s_names = {
        QStringLiteral("fontfamily"), QStringLiteral("fontsize"), QStringLiteral("fontcolor"),
        QStringLiteral("bold"),       QStringLiteral("italic"),   QStringLiteral("underline"),
        QStringLiteral("alignment"),  QStringLiteral("pencolor"), QStringLiteral("fillcolor"),
        QStringLiteral("linestyle"),  QStringLiteral("linewidth")};
    return s_names;
}

CComponent* componentShownBy(QGraphicsItem* pItem)
{
    // A click may land on a part of a component's item rather than on the item itself.
    for (; pItem; pItem = pItem->parentItem())
        if (CComponent* pComponent = COrreryView::componentOf(pItem))
            return pComponent;
    return nullptr;
}

// The front-most text box under the scene point that the user may type into.
CComponent* editableTextBoxAt(COrreryView* pView, const QPointF& scenePoint)
{
    const QList<QGraphicsItem*> items =
        pView->scene()->items(scenePoint, Qt::IntersectsItemShape, Qt::DescendingOrder, pView->transform());
    for (QGraphicsItem* pItem : items) {
        CComponent* pComponent = componentShownBy(pItem);
        if (pComponent && pComponent->getType() == QLatin1String("text") &&
            !pComponent->getPropertyValue(QStringLiteral("locked")).toBool())
            return pComponent;
    }
    return nullptr;
}

} // namespace

CTextTool::CTextTool()
{
    CTool::setToolProperty(QStringLiteral("fontfamily"), QStringLiteral("Arial"));
    CTool::setToolProperty(QStringLiteral("fontsize"), 24.0);
    CTool::setToolProperty(QStringLiteral("fontcolor"), QColor(Qt::black));
    CTool::setToolProperty(QStringLiteral("bold"), false);
    CTool::setToolProperty(QStringLiteral("italic"), false);
    CTool::setToolProperty(QStringLiteral("underline"), false);
    CTool::setToolProperty(QStringLiteral("alignment"), int(Qt::AlignLeft));
    CTool::setToolProperty(QStringLiteral("pencolor"), QStringLiteral("null;"));
    CTool::setToolProperty(QStringLiteral("fillcolor"), QColor(255, 255, 255, 0));
    CTool::setToolProperty(QStringLiteral("linestyle"), 1);
    CTool::setToolProperty(QStringLiteral("linewidth"), 1.0);
}

QString CTextTool::getName() const
{
    return QStringLiteral("text");
}

QList<QString> CTextTool::getPersistentProperties() const
{
    return textProperties();
}

QString CTextTool::getCategory()
{
    return QStringLiteral("text");
}

QImage CTextTool::getIconImage(EIconSize eSize) const
{
    return drawIcon(eSize, [](QPainter& painter, double dUnit) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        // The bar of the T, then its stem.
        painter.drawRect(QRectF(2 * dUnit, 2 * dUnit, 12 * dUnit, 3 * dUnit));
        painter.drawRect(QRectF(6.5 * dUnit, 5 * dUnit, 3 * dUnit, 9 * dUnit));
    });
}

bool CTextTool::onMousePress(QMouseEvent* pEvent)
{
    COrreryView* pView = view();
    if (!pView || !pView->scene() || pEvent->button() != Qt::LeftButton)
        return false;
    const QPointF scenePoint = pView->mapToScene(pEvent->pos());

    CEditTextHelper helper;
    if (CComponent* pTextBox = editableTextBoxAt(pView, scenePoint)) {
        helper.startEditText(pTextBox);
        return true;
    }

    CTopic* pTopic = pView->topic();
    if (pTopic && pTopic->isInputBlocked())
        return true;
    const boost::shared_ptr<CComponent> pComponent = CComponent::create(QStringLiteral("text"));
    if (!pComponent)
        return true;
    pComponent->setPropertyValue(QStringLiteral("position"), scenePoint);
    for (const QString& strName : textProperties()) {
        QVariant value = getToolProperty(strName);
        // The outline is as thick on the board as the ink of a pen of the same width.
        if (strName == QLatin1String("linewidth"))
            value = value.toDouble() * COrrery::getLPToDPRatio();
        pComponent->setPropertyValue(strName, value);
    }
    pComponent->setPropertyValue(QStringLiteral("string"), QString());
    if (CControlLayer::get()->invokeInsertCommand(pComponent, -1, -1))
        helper.startEditText(pComponent.get());
    return true;
}

QCursor CTextTool::getNormalCursor() const
{
    return QCursor(Qt::IBeamCursor);
}
