// Where the app proposes to put what the user saves: the system's folder of that kind, or the home
// folder where the system names none or it does not exist.
#pragma once

#include <QDir>
#include <QStandardPaths>
#include <QString>

inline QString userFolder(QStandardPaths::StandardLocation eLocation)
{
    const QString strFolder = QStandardPaths::writableLocation(eLocation);
    return strFolder.isEmpty() || !QDir(strFolder).exists() ? QDir::homePath() : strFolder;
}
