#include "action.h"

CAction::CAction(const QString& strInternalName, const QIcon& icon, QObject* pParent)
    : QAction(icon, QString(), pParent), m_strInternalName(strInternalName)
{
    setObjectName(strInternalName);
    // Dispatch through the virtual so that derived actions decide what a trigger does.
    connect(this, &QAction::triggered, this, [this](bool bChecked) { exec(bChecked); });
}

CAction::~CAction() = default;

void CAction::connectSignals() const
{
}

void CAction::disconnectSignals() const
{
}

QString CAction::tapMenuGroup() const
{
    return QString();
}

QString CAction::tapMenuLocale() const
{
    return QString();
}

bool CAction::isAvailable()
{
    return true;
}

QString CAction::getLabelText()
{
    return text();
}

QString CAction::getShortLabelText() const
{
    return text();
}

void CAction::slotLanguageChanged()
{
    setText(getLabelText());
}

bool CAction::isEnabledImpl()
{
    return true;
}

bool CAction::isCheckedImpl() const
{
    return false;
}

bool CAction::isVolatile() const
{
    return false;
}

bool CAction::invokesCommand() const
{
    return false;
}

void CAction::exec(bool)
{
}
