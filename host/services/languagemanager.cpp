#include "languagemanager.h"

#include "controlsignalsource.h"
#include "hostjournal.h"
#include "orrery.h"

#include <QGuiApplication>
#include <QLocale>
#include <QSettings>

namespace {
const char* const c_szLocaleKey = "ui/locale";
}

QString CLanguageManager::currentLocale() const
{
    const QSettings* pSettings = COrrery::getUserSettings();
    return pSettings->value(QLatin1String(c_szLocaleKey), QLocale::system().name()).toString();
}

bool CLanguageManager::isRightToLeft() const
{
    return QLocale(currentLocale()).textDirection() == Qt::RightToLeft;
}

void CLanguageManager::setLanguage(const QString& strLocale)
{
    if (strLocale == currentLocale())
        return;
    COrrery::getUserSettings()->setValue(QLatin1String(c_szLocaleKey), strLocale);
    const bool bIsRightToLeft = isRightToLeft();
    if (QGuiApplication::instance())
        QGuiApplication::setLayoutDirection(bIsRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    CHostJournal::record(QStringLiteral("CLanguageManager::setLanguage %1 %2")
                             .arg(strLocale, bIsRightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr")));
    emit CControlSignalSource::get()->signalLanguageChanged(strLocale, bIsRightToLeft);
}
