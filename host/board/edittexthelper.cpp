#include "edittexthelper.h"

#include "hostjournal.h"
#include "textcomponent.h"

#include <QTextCursor>

bool CEditTextHelper::startEditText(CComponent* pComponent)
{
    CTextComponent* pText = dynamic_cast<CTextComponent*>(pComponent);
    if (!pText || pText->getPropertyValue(QStringLiteral("locked")).toBool())
        return false;
    pText->setTextInteractionFlags(Qt::TextEditorInteraction);
    pText->setFocus(Qt::OtherFocusReason);
    // The user goes on typing after what is there, not in front of it.
    QTextCursor cursor = pText->textCursor();
    cursor.movePosition(QTextCursor::End);
    pText->setTextCursor(cursor);
    CHostJournal::record(QStringLiteral("CEditTextHelper::startEditText %1").arg(pText->getID()));
    return true;
}
