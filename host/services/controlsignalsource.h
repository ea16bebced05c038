// The host's announcements that concern every part of the user interface, such as a change of the
// language the user interface speaks. Lives as long as the program, so that anything may connect to
// it at any time.
#pragma once

#include <QObject>
#include <QString>

class CControlSignalSource : public QObject
{
    Q_OBJECT

public:
    static CControlSignalSource* get();

signals:
    void signalLanguageChanged(QString strLocale, bool bIsRightToLeft);

private:
    CControlSignalSource() = default;
};
