#include "layoutdirectionfollower.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStyle>

namespace {

// The alignment the label was given by whoever made it, kept while the follower mirrors it.
const char* const c_szOwnAlignment = "layoutDirectionFollower.ownAlignment";
const QChar c_leftToRightMark(0x200E);

void alignToLayout(QLabel* pLabel)
{
    QVariant own = pLabel->property(c_szOwnAlignment);
    if (!own.isValid()) {
        const Qt::Alignment eAlignment = pLabel->alignment();
        // Centred, justified and absolute alignments mean the same in both directions.
        const Qt::Alignment eHorizontal = eAlignment & Qt::AlignHorizontal_Mask;
        if (eHorizontal != Qt::AlignLeft && eHorizontal != Qt::AlignRight)
            return;
        own = int(eAlignment);
        pLabel->setProperty(c_szOwnAlignment, own);
    }
    const Qt::Alignment eOwn(own.toInt());
    // Leading and trailing by the layout rather than by the text's own direction.
    pLabel->setAlignment(QStyle::visualAlignment(pLabel->layoutDirection(), eOwn) | Qt::AlignAbsolute);
}

} // namespace

CLayoutDirectionFollower::CLayoutDirectionFollower(QObject* pParent) : QObject(pParent)
{
}

void CLayoutDirectionFollower::install()
{
    QCoreApplication* pApplication = QCoreApplication::instance();
    if (!pApplication ||
        pApplication->findChild<CLayoutDirectionFollower*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    pApplication->installEventFilter(new CLayoutDirectionFollower(pApplication));
}

QString CLayoutDirectionFollower::anchored(const QString& strText)
{
    // A text that ends in a letter or digit keeps its end where it is anyway.
    if (strText.isEmpty() || strText.back().direction() == QChar::DirL || strText.back().isLetterOrNumber())
        return strText;
    for (const QChar character : strText) {
        switch (character.direction()) {
        case QChar::DirL:
            return strText + c_leftToRightMark;
        case QChar::DirR:
        case QChar::DirAL:
            return strText;
        default:
            break;
        }
    }
    return strText;
}

bool CLayoutDirectionFollower::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    // Polished once before it is first shown, told of each change after.
    if (pEvent->type() == QEvent::Polish || pEvent->type() == QEvent::LayoutDirectionChange)
        if (QLabel* pLabel = qobject_cast<QLabel*>(pWatched))
            alignToLayout(pLabel);
    return QObject::eventFilter(pWatched, pEvent);
}
