// The Pages panel: a small picture of each page of the board in order, the one shown selected. A
// click shows a page, a drag puts it elsewhere in the order, and its context menu adds and deletes
// pages. The pictures follow the pages' changes, a changed page's alone and not at every stroke.
#pragma once

#include <QDockWidget>
#include <QHash>
#include <QSet>
#include <QTimer>

class CTopic;
class QListWidget;
class QPixmap;

class CPageListPanel : public QDockWidget
{
    Q_OBJECT

public:
    explicit CPageListPanel(QWidget* pParent = nullptr);
    ~CPageListPanel() override;

    QListWidget* list() const { return m_pList; }
    // How often a page's picture has been drawn, by page id; what the panel's thrift is judged by.
    int drawCount(qint64 iTopicID) const { return m_drawCounts.value(iTopicID); }
    // Brings the list and the pictures of changed pages up to date now rather than on the timer.
    void refreshNow();

    static constexpr int c_iThumbnailWidth = 160;
    static constexpr int c_iRedrawDelayMs = 400;

private:
    void slotPagesChanged();
    void slotRowMoved(int iFrom, int iTo);
    void slotContextMenu(const QPoint& point);
    void scheduleRefresh();
    void follow(CTopic* pTopic);
    QPixmap picture(CTopic* pTopic);

    QListWidget* m_pList;
    QTimer m_refresh;
    // Pages whose picture must be drawn anew, by id.
    QSet<qint64> m_stale;
    QHash<qint64, QPixmap> m_pictures;
    QHash<qint64, int> m_drawCounts;
    QSet<qint64> m_followed;
    bool m_bFilling = false;
    bool m_bListStale = true;
};
