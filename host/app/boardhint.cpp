#include "boardhint.h"

#include "orrery.h"
#include "orreryview.h"
#include "tool.h"
#include "toolmanager.h"
#include "topic.h"

#include <QEvent>
#include <QGraphicsScene>

CBoardHint::CBoardHint(COrreryView* pBoard, const QString& strText)
    : QLabel(strText, pBoard->viewport()), m_pBoard(pBoard)
{
    setObjectName(QStringLiteral("boardhint"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setWordWrap(true);
    setAlignment(Qt::AlignCenter);
    setMaximumWidth(420);
    setStyleSheet(QStringLiteral("QLabel { background: rgba(245, 247, 250, 235); color: #4a5160; "
                                 "border: 1px solid #c9ced6; border-radius: 10px; padding: 14px; }"));
    QFont hintFont = font();
    hintFont.setPointSizeF(hintFont.pointSizeF() * 1.3);
    setFont(hintFont);
    pBoard->viewport()->installEventFilter(this);
    if (QGraphicsScene* pScene = pBoard->scene())
        connect(pScene, &QGraphicsScene::changed, this, &CBoardHint::slotBoardChanged);
    place();
    show();
    slotBoardChanged();
}

CBoardHint::~CBoardHint() = default;

void CBoardHint::setHint(const QString& strText)
{
    setText(strText);
    place();
}

bool CBoardHint::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pBoard->viewport()) {
        switch (pEvent->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::TabletPress:
            // Pointing or selecting leaves the board as empty as it was; only a pen begins the writing.
            if (activeToolWrites()) {
                emit signalWritten();
                deleteLater();
            }
            break;
        case QEvent::Resize:
            place();
            break;
        default:
            break;
        }
    }
    return QLabel::eventFilter(pWatched, pEvent);
}

bool CBoardHint::activeToolWrites()
{
    const CToolManager* pTools = COrrery::getToolManager();
    const CTool* pTool = pTools ? pTools->getActiveTool() : nullptr;
    return pTool && pTool->isPenTool();
}

void CBoardHint::place()
{
    const QWidget* pViewport = m_pBoard->viewport();
    const int iWidth = qMin(maximumWidth(), qMax(120, pViewport->width() - 40));
    resize(iWidth, heightForWidth(iWidth));
    // In the middle, somewhat above the centre, where the eye falls on an empty page.
    move((pViewport->width() - width()) / 2, qMax(10, pViewport->height() / 3 - height() / 2));
}

void CBoardHint::slotBoardChanged()
{
    const CTopic* pTopic = m_pBoard->topic();
    if (pTopic && pTopic->componentCount() > 0)
        deleteLater();
}
