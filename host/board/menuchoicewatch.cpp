#include "menuchoicewatch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

CMenuChoiceWatch::CMenuChoiceWatch()
{
    if (QCoreApplication* pApplication = QCoreApplication::instance())
        pApplication->installEventFilter(this);
}

CMenuChoiceWatch::~CMenuChoiceWatch() = default;

bool CMenuChoiceWatch::takeChoice()
{
    const bool bChosen = m_bChosen;
    m_bChosen = false;
    return bChosen;
}

bool CMenuChoiceWatch::eventFilter(QObject* pObject, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::Show:
        // Menus are made and shown by whoever needs one, the plug-ins too; each is heard as it opens.
        if (QMenu* pMenu = qobject_cast<QMenu*>(pObject))
            connect(pMenu, &QMenu::triggered, this, &CMenuChoiceWatch::slotChosen, Qt::UniqueConnection);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TabletPress:
    case QEvent::TouchBegin:
        // The press that picks the entry lands on the menu; any other press is a new act of the user.
        if (!qobject_cast<QMenu*>(pObject))
            m_bChosen = false;
        break;
    default:
        break;
    }
    return false;
}

void CMenuChoiceWatch::slotChosen(QAction* pAction)
{
    // Opening a submenu is no choice.
    m_bChosen = pAction && !pAction->menu();
}
