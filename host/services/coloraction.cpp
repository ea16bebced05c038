#include "coloraction.h"

#include "hostjournal.h"
#include "orrery.h"
#include "penbase.h"
#include "tool.h"
#include "toolmanager.h"
#include "toolpropertynames.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace {

QList<CColorAction*>& liveActions()
{
    static QList<CColorAction*> s_actions;
    return s_actions;
}

QIcon swatchIcon(const QColor& color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::darkGray, 1.0));
    painter.setBrush(color);
    painter.drawRect(QRect(0, 0, 15, 15));
    painter.end();
    return QIcon(pixmap);
}

} // namespace

CColorAction::CColorAction(const QString& strInternalName, QObject* pParent)
    : CAction(strInternalName, QIcon(), pParent)
{
    liveActions().append(this);
    updateColor();
}

CColorAction::~CColorAction()
{
    liveActions().removeAll(this);
}

void CColorAction::updateAllColorActions()
{
    CHostJournal::record(QStringLiteral("CColorAction::updateAllColorActions"));
    // A copy: an action's refresh may create or delete other colour actions.
    const QList<CColorAction*> actions = liveActions();
    for (CColorAction* pAction : actions)
        if (liveActions().contains(pAction))
            pAction->updateColor();
}

void CColorAction::updateColor()
{
    CToolManager* pManager = COrrery::getToolManager();
    CTool* pTool = pManager ? pManager->getActiveTool() : nullptr;
    QColor color;
    if (pTool) {
        QVariant value = pTool->getToolProperty(QLatin1String(toolproperty::c_szPrimaryColor));
        // Tools without a colour of their own to offer show the colour they draw with.
        if (!value.isValid())
            value = pTool->getToolProperty(QLatin1String(toolproperty::c_szPenColor));
        color = value.userType() == QMetaType::QColor ? value.value<QColor>()
                                                      : CPenBase::decodeColor(value.toString());
    }
    setIcon(color.isValid() ? swatchIcon(color) : QIcon());
}
