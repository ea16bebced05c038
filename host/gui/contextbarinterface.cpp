#include "contextbarinterface.h"

CContextbarInterface::CContextbarInterface(QWidget* pParent) : QToolBar(pParent)
{
    setMovable(false);
    setFloatable(false);
}

CContextbarInterface::~CContextbarInterface() = default;

void CContextbarInterface::showEvent(QShowEvent* pEvent)
{
    QToolBar::showEvent(pEvent);
    contextbarShown(getName(), true);
}

bool CContextbarInterface::commandInvoked()
{
    return false;
}

bool CContextbarInterface::selectionChanged(int)
{
    return false;
}

bool CContextbarInterface::topicChanged()
{
    return false;
}

bool CContextbarInterface::contextbarShown(const QString&, bool)
{
    return false;
}

void CContextbarInterface::updateProperties(const QString&, const QString&, const QVariant&)
{
}

QStringList CContextbarInterface::getPropertyList()
{
    return QStringList();
}
