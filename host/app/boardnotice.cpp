#include "boardnotice.h"

#include <QEvent>

namespace {

const int c_iMarginPx = 12;

} // namespace

CBoardNotice::CBoardNotice(QWidget* pBoard) : QLabel(pBoard)
{
    // The pen writes on through the notice; it must not catch the strokes that pass over it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(QStringLiteral("CBoardNotice { background: rgba(40, 40, 48, 215); color: white;"
                                 " border-radius: 6px; padding: 8px 16px; }"));
    m_hideTimer.setSingleShot(true);
    connect(&m_hideTimer, &QTimer::timeout, this, &QWidget::hide);
    pBoard->installEventFilter(this);
    hide();
}

void CBoardNotice::showNotice(const QString& strText)
{
    setText(strText);
    place();
    show();
    raise();
    m_hideTimer.start(c_iShowMs);
}

bool CBoardNotice::eventFilter(QObject* pObject, QEvent* pEvent)
{
    if (pObject == parentWidget() && pEvent->type() == QEvent::Resize && isVisible())
        place();
    return QLabel::eventFilter(pObject, pEvent);
}

// Centred along the board's top edge on one line, or wrapped where the board is too narrow for it.
void CBoardNotice::place()
{
    const QWidget* pBoard = parentWidget();
    const int iMaxWidth = std::max(pBoard->width() - 2 * c_iMarginPx, 1);
    setWordWrap(false);
    adjustSize();
    if (width() > iMaxWidth) {
        setWordWrap(true);
        resize(iMaxWidth, heightForWidth(iMaxWidth));
    }
    move((pBoard->width() - width()) / 2, c_iMarginPx);
}
