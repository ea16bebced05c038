#include "popuppressrelay.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

CPopupPressRelay::CPopupPressRelay(QWidget* pViewport, QObject* pParent)
    : QObject(pParent), m_pViewport(pViewport)
{
    qApp->installEventFilter(this);
}

CPopupPressRelay::~CPopupPressRelay()
{
    qApp->removeEventFilter(this);
}

bool CPopupPressRelay::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pEvent->type() != QEvent::MouseButtonPress || pObject != QApplication::activePopupWidget())
        return false;
    auto* pPopup = qobject_cast<QMenu*>(pObject);
    if (!pPopup)
        return false;
    const auto* pPress = static_cast<QMouseEvent*>(pEvent);
    const QPoint global = pPress->globalPos();
    if (pPopup->rect().contains(pPopup->mapFromGlobal(global)) ||
        QApplication::widgetAt(global) != m_pViewport)
        return false;
    QWindow* pWindow = m_pViewport->window()->windowHandle();
    if (!pWindow)
        return false;
    // The menu goes now and the press comes through the board's window, as any press does, so that
    // the moves and the release that follow (which may be waiting already) find the board too. Qt
    // would hand the press on only later, after those, and only where it can grab the mouse.
    pPopup->setAttribute(Qt::WA_NoMouseReplay);
    pPopup->close();
    if (QApplication::activePopupWidget())
        return true;
    const QPoint local = pWindow->mapFromGlobal(global);
    QMouseEvent press(QEvent::MouseButtonPress, local, local, global, pPress->button(), pPress->buttons(),
                      pPress->modifiers());
    QCoreApplication::sendEvent(pWindow, &press);
    return true;
}
