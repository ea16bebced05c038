#include "pagemenu.h"

#include "controllayer.h"
#include "orrery.h"
#include "orreryview.h"
#include "workspace.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace {

int currentIndex()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace ? pWorkspace->indexOf(pWorkspace->getCurrentTopic()) : -1;
}

int pageCount()
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    return pWorkspace ? pWorkspace->topicCount() : 0;
}

// Whether a box on the board is open for typing: the keys that move its caret are its own then.
bool typingOnBoard()
{
    COrreryView* pView = COrrery::getView();
    QGraphicsScene* pScene = pView ? pView->scene() : nullptr;
    const auto* pText = pScene ? dynamic_cast<QGraphicsTextItem*>(pScene->focusItem()) : nullptr;
    return pText && (pText->textInteractionFlags() & Qt::TextEditable);
}

} // namespace

CPageMenu::CPageMenu(QMainWindow* pWindow, QMenu* pMenu) : QObject(pWindow), m_pPosition(new QLabel(pWindow))
{
    m_pNew = pMenu->addAction(tr("&New Page"), [] { CControlLayer::get()->invokeAddPageCommand(); });
    m_pNew->setShortcut(QKeySequence(Qt::CTRL + Qt::Key_M));
    m_pDelete = pMenu->addAction(tr("&Delete Page"), [] { CControlLayer::get()->invokeDeletePageCommand(); });
    pMenu->addSeparator();
    m_pMoveUp = pMenu->addAction(tr("Move Page &Up"), this, [this] { movePage(-1); });
    m_pMoveUp->setShortcut(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_PageUp));
    m_pMoveDown = pMenu->addAction(tr("Move Page Do&wn"), this, [this] { movePage(1); });
    m_pMoveDown->setShortcut(QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_PageDown));
    pMenu->addSeparator();
    m_pPrevious = pMenu->addAction(tr("&Previous Page"), [] { turnPages(-1); });
    m_pPrevious->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_pNext = pMenu->addAction(tr("Ne&xt Page"), [] { turnPages(1); });
    m_pNext->setShortcut(QKeySequence(Qt::Key_PageDown));
    // The window's shortcuts come before the keys reach the board; a box being typed into on it asks
    // for its keys first.
    if (COrreryView* pView = COrrery::getView())
        pView->installEventFilter(this);

    pWindow->statusBar()->addPermanentWidget(m_pPosition);
    if (CWorkspace* pWorkspace = COrrery::getWorkspace()) {
        connect(pWorkspace, &CWorkspace::signalTopicsChanged, this, &CPageMenu::refresh);
        connect(pWorkspace, &CWorkspace::signalCurrentTopicChanged, this, &CPageMenu::refresh);
    }
    refresh();
}

CPageMenu::~CPageMenu() = default;

QString CPageMenu::positionText() const
{
    return m_pPosition->text();
}

bool CPageMenu::turnPages(int iSteps)
{
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    CTopic* pTopic = pWorkspace ? pWorkspace->topicAt(currentIndex() + iSteps) : nullptr;
    if (!pTopic)
        return false;
    pWorkspace->setCurrentTopic(pTopic);
    return true;
}

void CPageMenu::movePage(int iSteps)
{
    const int iFrom = currentIndex();
    CControlLayer::get()->invokeMovePageCommand(iFrom, iFrom + iSteps);
}

void CPageMenu::refresh()
{
    const int iCurrent = currentIndex(), iCount = pageCount();
    m_pPosition->setText(tr("Page %1 of %2").arg(iCurrent + 1).arg(iCount));
    m_pDelete->setEnabled(iCount > 1);
    m_pMoveUp->setEnabled(iCurrent > 0);
    m_pPrevious->setEnabled(iCurrent > 0);
    m_pMoveDown->setEnabled(iCurrent + 1 < iCount);
    m_pNext->setEnabled(iCurrent + 1 < iCount);
}

bool CPageMenu::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const bool bKey = pEvent->type() == QEvent::ShortcutOverride || pEvent->type() == QEvent::KeyPress;
    const int iKey = bKey ? static_cast<QKeyEvent*>(pEvent)->key() : 0;
    if (iKey != Qt::Key_PageUp && iKey != Qt::Key_PageDown)
        return QObject::eventFilter(pWatched, pEvent);
    if (pEvent->type() == QEvent::ShortcutOverride) {
        if (!typingOnBoard())
            return false;
        pEvent->accept();
        return true;
    }
    // The key comes here when it turned no page: it is the box's, or there is no page before or after.
    // Either way the board does not scroll by a screen with it, which would look like a page turned.
    if (typingOnBoard())
        QCoreApplication::sendEvent(static_cast<QGraphicsView*>(pWatched)->scene(), pEvent);
    return true;
}
