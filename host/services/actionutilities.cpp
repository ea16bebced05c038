#include "actionutilities.h"

#include "hostjournal.h"

namespace {

CActionUtilities::FMessageHandler& messageHandler()
{
    static CActionUtilities::FMessageHandler s_handler;
    return s_handler;
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
                                                         QMessageBox::StandardButton eDefaultButton)
{
    CHostJournal::record(QStringLiteral("CActionUtilities::messageBox %1 %2").arg(int(eType)).arg(strText));
    // Copied: a handler that installs another one while it answers must not pull itself away.
    const FMessageHandler handler = messageHandler();
    if (handler)
        return handler(eType, strText, buttons);

    QMessageBox box(iconOf(eType), QStringLiteral("Whiteboard"), strText, buttons, pParent);
    box.setDefaultButton(eDefaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

CActionUtilities::FMessageHandler CActionUtilities::setMessageHandler(FMessageHandler handler)
{
    FMessageHandler previous = std::move(messageHandler());
    messageHandler() = std::move(handler);
    return previous;
}
