#include "actionutilities.h"

#include "hostjournal.h"

#include <QAbstractButton>

namespace {

CActionUtilities::FMessageHandler& messageHandler()
{
    static CActionUtilities::FMessageHandler s_handler;
    return s_handler;
}

CActionUtilities::FNoticeHandler& noticeHandler()
{
    static CActionUtilities::FNoticeHandler s_handler;
    return s_handler;
}

// The one button of a message that offers no choice; NoButton when it offers more than one.
QMessageBox::StandardButton onlyButton(QMessageBox::StandardButtons buttons)
{
    if (buttons == QMessageBox::NoButton)
        return QMessageBox::Ok;
    const uint uButtons = buttons;
    return (uButtons & (uButtons - 1)) == 0 ? QMessageBox::StandardButton(uButtons) : QMessageBox::NoButton;
}

QMessageBox::Icon iconOf(CActionUtilities::EMessageBoxType eType)
{
    switch (eType) {
    case CActionUtilities::eMessageBoxWarning:
        return QMessageBox::Warning;
    case CActionUtilities::eMessageBoxInformation:
        return QMessageBox::Information;
    case CActionUtilities::eMessageBoxQuestion:
        return QMessageBox::Question;
    case CActionUtilities::eMessageBoxCritical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QMessageBox::StandardButton CActionUtilities::messageBox(EMessageBoxType eType, QWidget* pParent,
                                                         const QString& strText,
                                                         QMessageBox::StandardButtons buttons,
                                                         QMessageBox::StandardButton eDefaultButton,
                                                         const QMap<int, QString>& buttonLabels)
{
    CHostJournal::record(QStringLiteral("CActionUtilities::messageBox %1 %2").arg(int(eType)).arg(strText));
    // Copied: a handler that installs another one while it answers must not pull itself away.
    const FMessageHandler handler = messageHandler();
    if (handler)
        return handler(eType, strText, buttons);
    const FNoticeHandler notice = noticeHandler();
    const QMessageBox::StandardButton eOnly = onlyButton(buttons);
    if (notice && eOnly != QMessageBox::NoButton) {
        notice(eType, strText);
        return eOnly;
    }

    QMessageBox box(iconOf(eType), QStringLiteral("Whiteboard"), strText, buttons, pParent);
    box.setDefaultButton(eDefaultButton);
    for (auto it = buttonLabels.begin(); it != buttonLabels.end(); ++it)
        if (QAbstractButton* pButton = box.button(QMessageBox::StandardButton(it.key())))
            pButton->setText(it.value());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

CActionUtilities::FMessageHandler CActionUtilities::setMessageHandler(FMessageHandler handler)
{
    FMessageHandler previous = std::move(messageHandler());
    messageHandler() = std::move(handler);
    return previous;
}

CActionUtilities::FNoticeHandler CActionUtilities::setNoticeHandler(FNoticeHandler handler)
{
    FNoticeHandler previous = std::move(noticeHandler());
    noticeHandler() = std::move(handler);
    return previous;
}
