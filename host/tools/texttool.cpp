#include "texttool.h"

#include "component.h"
#include "controllayer.h"
#include "edittexthelper.h"
#include "orrery.h"
#include "orreryview.h"
#include "textcomponent.h"
#include "toolpropertynames.h"
#include "topic.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QObject>
#include <QPainter>

namespace {

const QStringList& textProperties()
{
    static const QStringList s_names = {
        QLatin1String(toolproperty::c_szFontFamily), QLatin1String(toolproperty::c_szFontSize),
        QLatin1String(toolproperty::c_szFontColor),  QLatin1String(toolproperty::c_szBold),
        QLatin1String(toolproperty::c_szItalic),     QLatin1String(toolproperty::c_szUnderline),
        QLatin1String(toolproperty::c_szAlignment),  QLatin1String(toolproperty::c_szPenColor),
        QLatin1String(toolproperty::c_szFillColor),  QLatin1String(toolproperty::c_szLineStyle),
        QLatin1String(toolproperty::c_szLineWidth)};
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
    CTool::setToolProperty(QLatin1String(toolproperty::c_szFontFamily), QStringLiteral("Arial"));
    CTool::setToolProperty(QLatin1String(toolproperty::c_szFontSize), 24.0);
    CTool::setToolProperty(QLatin1String(toolproperty::c_szFontColor), QColor(Qt::black));
    CTool::setToolProperty(QLatin1String(toolproperty::c_szBold), false);
    CTool::setToolProperty(QLatin1String(toolproperty::c_szItalic), false);
    CTool::setToolProperty(QLatin1String(toolproperty::c_szUnderline), false);
    CTool::setToolProperty(QLatin1String(toolproperty::c_szAlignment), int(Qt::AlignLeft));
    CTool::setToolProperty(QLatin1String(toolproperty::c_szPenColor), QStringLiteral("null;"));
    CTool::setToolProperty(QLatin1String(toolproperty::c_szFillColor), QColor(255, 255, 255, 0));
    CTool::setToolProperty(QLatin1String(toolproperty::c_szLineStyle), 1);
    CTool::setToolProperty(QLatin1String(toolproperty::c_szLineWidth), 1.0);
}

QString CTextTool::getName() const
{
    return QLatin1String(toolproperty::c_szTextToolName);
}

QList<QString> CTextTool::getPersistentProperties() const
{
    return textProperties();
}

// The outline and fill come here from the text pen too, when it is left; the user must be able to
// see and undo them where the boxes are made.
QList<QString> CTextTool::getEditableProperties() const
{
    return {QLatin1String(toolproperty::c_szFontFamily), QLatin1String(toolproperty::c_szFontSize),
            QLatin1String(toolproperty::c_szFontColor),  QLatin1String(toolproperty::c_szBold),
            QLatin1String(toolproperty::c_szItalic),     QLatin1String(toolproperty::c_szUnderline),
            QLatin1String(toolproperty::c_szPenColor),   QLatin1String(toolproperty::c_szLineWidth),
            QLatin1String(toolproperty::c_szLineStyle),  QLatin1String(toolproperty::c_szFillColor)};
}

QString CTextTool::getCategory()
{
    return QStringLiteral("text");
}

QString CTextTool::getLabel() const
{
    return QObject::tr("Text");
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
    // The box typed into so far is done with before the new one comes, so that one left empty goes
    // from the board along with the step that put it there, which the new box's would bury.
    if (auto* pOpen = dynamic_cast<CTextComponent*>(pView->scene()->focusItem()))
        pOpen->finishEditing(true);
    const boost::shared_ptr<CComponent> pComponent = CComponent::create(QStringLiteral("text"));
    if (!pComponent)
        return true;
    pComponent->setPropertyValue(QStringLiteral("position"), scenePoint);
    for (const QString& strName : textProperties()) {
        QVariant value = getToolProperty(strName);
        // The outline is as thick on the board as the ink of a pen of the same width.
        if (strName == QLatin1String(toolproperty::c_szLineWidth))
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
