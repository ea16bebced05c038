// The language of the user interface: which locale is in use and whether it reads right to left.
// The choice is kept in the user settings; any number of these may exist, all see the same choice.
#pragma once

#include <QString>

class CLanguageManager
{
public:
    // The locale name in use ("en_GB"); the system's until the user chooses one.
    QString currentLocale() const;
    bool isRightToLeft() const;

    // Keeps the choice, lays the application out in the language's direction and tells everybody
    // through CControlSignalSource::signalLanguageChanged. Choosing the language in use again
    // announces nothing.
    void setLanguage(const QString& strLocale);
};
