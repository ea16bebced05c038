// Messages to the user. Where no one can answer a modal box (the headless replay, tests), the host
// installs a handler that answers instead; every message is also written to the host's journal. A
// message that offers no choice (a single button) need not stop the user: where the host has a place
// for notices, it shows the message there and goes on at once.
#pragma once

#include <QMap>
#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

class CActionUtilities
{
public:
    enum EMessageBoxType
    {
        eMessageBoxWarning = 0,
        eMessageBoxInformation = 1,
        eMessageBoxQuestion = 2,
        eMessageBoxCritical = 3
    };

    typedef std::function<QMessageBox::StandardButton(EMessageBoxType eType, const QString& strText,
                                                      QMessageBox::StandardButtons buttons)>
        FMessageHandler;
    typedef std::function<void(EMessageBoxType eType, const QString& strText)> FNoticeHandler;

    // buttonLabels renames standard buttons (by their QMessageBox::StandardButton) where the standard
    // words do not say what the answer does; a handler still answers with the standard button.
    static QMessageBox::StandardButton messageBox(EMessageBoxType eType, QWidget* pParent,
                                                  const QString& strText,
                                                  QMessageBox::StandardButtons buttons,
                                                  QMessageBox::StandardButton eDefaultButton,
                                                  const QMap<int, QString>& buttonLabels = {});

    // Answers messages instead of showing them; an empty handler shows them again. Returns the
    // handler it replaces.
    static FMessageHandler setMessageHandler(FMessageHandler handler);
    // Shows the messages that offer no choice, unless a message handler answers them; an empty handler
    // shows them in a modal box again. Returns the handler it replaces.
    static FNoticeHandler setNoticeHandler(FNoticeHandler handler);
};
