#include "edittexthelper.h"

#include "hostjournal.h"
#include "textcomponent.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QTextCursor>
#include <QtMath>

bool CEditTextHelper::startEditText(CComponent* pComponent)
{
    CTextComponent* pText = dynamic_cast<CTextComponent*>(pComponent);
    if (!pText || pText->getPropertyValue(QStringLiteral("locked")).toBool())
        return false;
    pText->setTextInteractionFlags(Qt::TextEditorInteraction);
    // Keys reach the box, and its caret shows, only while its view has the keyboard focus too; the
    // focus may still be in a bar or panel the user touched last.
    const QList<QGraphicsView*> views = pText->scene() ? pText->scene()->views() : QList<QGraphicsView*>();
    QGraphicsView* pView = views.isEmpty() ? nullptr : views.first();
    if (pView) {
        pView->setFocus(Qt::OtherFocusReason);
        // A caret one unit of the board wide all but vanishes on a board shown smaller than its
        // units: it is kept two pixels of the view wide at least.
        const double dScale = pView->transform().m11() * pText->sceneTransform().m11();
        pText->setCaretWidth(dScale > 0.0 ? qMax(1, qCeil(2.0 / dScale)) : 1);
    }
    pText->setFocus(Qt::OtherFocusReason);
    // The user goes on typing after what is there, not in front of it.
    QTextCursor cursor = pText->textCursor();
    cursor.movePosition(QTextCursor::End);
    pText->setTextCursor(cursor);
    CHostJournal::record(QStringLiteral("CEditTextHelper::startEditText %1").arg(pText->getID()));
    return true;
}
