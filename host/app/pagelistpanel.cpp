#include "pagelistpanel.h"

#include "controllayer.h"
#include "orrery.h"
#include "topic.h"
#include "workspace.h"

#include <QGraphicsScene>
#include <QListWidget>
#include <QMenu>
#include <QPainter>

namespace {

const int c_iIdRole = Qt::UserRole;

CWorkspace* workspace()
{
    return COrrery::getWorkspace();
}

} // namespace

CPageListPanel::CPageListPanel(QWidget* pParent)
    : QDockWidget(tr("Pages"), pParent), m_pList(new QListWidget(this))
{
    setObjectName(QStringLiteral("pages"));
    const QSize iconSize(c_iThumbnailWidth, c_iThumbnailWidth * 9 / 16);
    m_pList->setIconSize(iconSize);
    m_pList->setViewMode(QListView::ListMode);
    m_pList->setFlow(QListView::TopToBottom);
    m_pList->setSpacing(4);
    m_pList->setDragDropMode(QAbstractItemView::InternalMove);
    m_pList->setDefaultDropAction(Qt::MoveAction);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_pList->setMinimumWidth(iconSize.width() + 40);
    setWidget(m_pList);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(c_iRedrawDelayMs);
    connect(&m_refresh, &QTimer::timeout, this, &CPageListPanel::refreshNow);
    connect(m_pList, &QListWidget::currentRowChanged, this, [this](int iRow) {
        CWorkspace* pWorkspace = workspace();
        if (!m_bFilling && pWorkspace && pWorkspace->topicAt(iRow))
            pWorkspace->setCurrentTopic(pWorkspace->topicAt(iRow));
    });
    connect(m_pList->model(), &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int iStart, int, const QModelIndex&, int iRow) {
                // The list names the row the page went before; the board counts without it.
                slotRowMoved(iStart, iRow > iStart ? iRow - 1 : iRow);
            });
    connect(m_pList, &QWidget::customContextMenuRequested, this, &CPageListPanel::slotContextMenu);
    if (CWorkspace* pWorkspace = workspace()) {
        connect(pWorkspace, &CWorkspace::signalTopicsChanged, this, &CPageListPanel::slotPagesChanged);
        connect(pWorkspace, &CWorkspace::signalCurrentTopicChanged, this, &CPageListPanel::slotPagesChanged);
        connect(pWorkspace, &CWorkspace::signalTopicsReset, this, [this] {
            // The old pages go once this is heard: nothing of theirs is kept.
            m_pictures.clear();
            m_stale.clear();
            m_followed.clear();
            m_pList->clear();
            slotPagesChanged();
        });
    }
    refreshNow();
}

CPageListPanel::~CPageListPanel() = default;

void CPageListPanel::slotPagesChanged()
{
    m_bListStale = true;
    // The list is filled after the change is over: it may come from the list's own drop, whose
    // items must outlive it.
    QTimer::singleShot(0, this, [this] {
        if (m_bListStale)
            refreshNow();
    });
}

void CPageListPanel::scheduleRefresh()
{
    // Not restarted by each change: while the user writes on, the picture still follows now and then.
    if (!m_refresh.isActive())
        m_refresh.start();
}

void CPageListPanel::follow(CTopic* pTopic)
{
    const qint64 iID = pTopic->getID();
    if (m_followed.contains(iID))
        return;
    m_followed.insert(iID);
    m_stale.insert(iID);
    connect(pTopic->scene(), &QGraphicsScene::changed, this, [this, iID] {
        m_stale.insert(iID);
        scheduleRefresh();
    });
    // A page deleted for good takes its picture with it.
    connect(pTopic->scene(), &QObject::destroyed, this, [this, iID] {
        m_followed.remove(iID);
        m_stale.remove(iID);
        m_pictures.remove(iID);
    });
}

QPixmap CPageListPanel::picture(CTopic* pTopic)
{
    const qint64 iID = pTopic->getID();
    if (!m_stale.contains(iID) && m_pictures.contains(iID))
        return m_pictures.value(iID);
    QPixmap pixmap(m_pList->iconSize());
    pixmap.fill(Qt::white);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        QGraphicsScene* pScene = pTopic->scene();
        pScene->render(&painter, QRectF(pixmap.rect()), pScene->sceneRect(), Qt::KeepAspectRatio);
        painter.setPen(QColor(0xb0, 0xb6, 0xc0));
        painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    }
    m_stale.remove(iID);
    m_pictures.insert(iID, pixmap);
    ++m_drawCounts[iID];
    return pixmap;
}

void CPageListPanel::refreshNow()
{
    m_refresh.stop();
    CWorkspace* pWorkspace = workspace();
    if (!pWorkspace)
        return;
    m_bFilling = true;
    const int iCount = pWorkspace->topicCount();
    if (m_bListStale) {
        while (m_pList->count() > iCount)
            delete m_pList->takeItem(m_pList->count() - 1);
        while (m_pList->count() < iCount)
            m_pList->addItem(new QListWidgetItem());
    }
    for (int i = 0; i < iCount; ++i) {
        CTopic* pTopic = pWorkspace->topicAt(i);
        follow(pTopic);
        QListWidgetItem* pItem = m_pList->item(i);
        const bool bOtherPage = pItem->data(c_iIdRole).toLongLong() != pTopic->getID();
        if (bOtherPage || m_stale.contains(pTopic->getID())) {
            // The list marks the current page around its picture; the picture itself stays as the
            // page looks, not tinted with the selection's colour.
            QIcon icon;
            const QPixmap pixmap = picture(pTopic);
            icon.addPixmap(pixmap, QIcon::Normal);
            icon.addPixmap(pixmap, QIcon::Selected);
            pItem->setIcon(icon);
            pItem->setData(c_iIdRole, pTopic->getID());
        }
        pItem->setText(QString::number(i + 1));
        pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    }
    m_pList->setCurrentRow(pWorkspace->indexOf(pWorkspace->getCurrentTopic()));
    m_pList->scrollToItem(m_pList->currentItem());
    m_bListStale = false;
    m_bFilling = false;
}

void CPageListPanel::slotRowMoved(int iFrom, int iTo)
{
    if (m_bFilling)
        return;
    // The board's order is the one that counts: the list is filled from it again either way.
    if (!CControlLayer::get()->invokeMovePageCommand(iFrom, iTo))
        slotPagesChanged();
    m_bListStale = true;
}

void CPageListPanel::slotContextMenu(const QPoint& point)
{
    CWorkspace* pWorkspace = workspace();
    if (!pWorkspace)
        return;
    const int iRow = m_pList->row(m_pList->itemAt(point));
    QMenu menu(this);
    QAction* pNew = menu.addAction(tr("New Page"));
    QAction* pDelete = menu.addAction(tr("Delete Page"));
    pDelete->setEnabled(iRow >= 0 && pWorkspace->topicCount() > 1);
    QAction* pChosen = menu.exec(m_pList->viewport()->mapToGlobal(point));
    if (pChosen == pNew) {
        // The new page comes after the one the menu was opened on.
        if (pWorkspace->topicAt(iRow))
            pWorkspace->setCurrentTopic(pWorkspace->topicAt(iRow));
        CControlLayer::get()->invokeAddPageCommand();
    } else if (pChosen == pDelete) {
        CControlLayer::get()->invokeDeletePageCommand(iRow);
    }
}
