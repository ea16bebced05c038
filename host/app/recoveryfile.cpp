#include "recoveryfile.h"

#include "boardfile.h"
#include "orrery.h"
#include "workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtConcurrent>

namespace {

// A change waits at most this long before it is safe from a crash.
const int c_iDefaultIntervalMs = 30000;

QString withSuffix(const QString& strRecoveryFile, const char* szSuffix)
{
    const QFileInfo info(strRecoveryFile);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + QLatin1String(szSuffix));
}

QString lockPathOf(const QString& strRecoveryFile)
{
    return withSuffix(strRecoveryFile, "lock");
}

// The note of the board file the board came from.
QString notePathOf(const QString& strRecoveryFile)
{
    return withSuffix(strRecoveryFile, "path");
}

} // namespace

QString CRecoveryFile::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(QStringLiteral("recovery"));
}

CRecoveryFile::CRecoveryFile(const QString& strFolder, QObject* pParent)
    : QObject(pParent), m_strFolder(strFolder), m_strName(QStringLiteral("session-%1-%2")
                                                              .arg(QDateTime::currentMSecsSinceEpoch())
                                                              .arg(QCoreApplication::applicationPid()))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(c_iDefaultIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryFile::writeNow);
    connect(&m_watcher, &QFutureWatcher<QString>::finished, this, &CRecoveryFile::slotWritten);
}

CRecoveryFile::~CRecoveryFile()
{
    waitForWrite();
}

QString CRecoveryFile::filePath() const
{
    return QDir(m_strFolder).filePath(m_strName + QLatin1Char('.') + QLatin1String(CBoardFile::c_szSuffix));
}

void CRecoveryFile::noteChange()
{
    if (isWriting())
        m_bChangedWhileWriting = true;
    else if (!m_timer.isActive())
        m_timer.start();
}

bool CRecoveryFile::lock()
{
    if (m_pLock)
        return true;
    if (!QDir().mkpath(m_strFolder))
        return false;
    auto pLock = std::make_unique<QLockFile>(lockPathOf(filePath()));
    // Only a lock whose process is gone is stale: a session may run for days.
    pLock->setStaleLockTime(0);
    if (!pLock->tryLock(0))
        return false;
    m_pLock = std::move(pLock);
    return true;
}

void CRecoveryFile::writeNow()
{
    m_timer.stop();
    if (isWriting()) {
        m_bChangedWhileWriting = true;
        return;
    }
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    if (!pWorkspace)
        return;
    if (!lock()) {
        emit signalWritten(tr("the folder %1 cannot be written").arg(QDir::toNativeSeparators(m_strFolder)));
        return;
    }
    // Taken here, where the board lives; the pages are not drawn, a recovery copy needs only the data.
    const CBoardFile::SBoard board = CBoardFile::snapshot(*pWorkspace, false);
    const QString strFile = filePath(), strOriginal = m_strOriginalPath;
    m_watcher.setFuture(QtConcurrent::run([board, strFile, strOriginal]() {
        QString strError;
        if (!CBoardFile::write(board, strFile, &strError))
            return strError.isEmpty() ? QStringLiteral("it could not be written") : strError;
        QSaveFile note(notePathOf(strFile));
        if (!note.open(QIODevice::WriteOnly) || note.write(strOriginal.toUtf8()) < 0 || !note.commit())
            return note.errorString();
        return QString();
    }));
}

void CRecoveryFile::slotWritten()
{
    emit signalWritten(m_watcher.result());
    if (m_bChangedWhileWriting) {
        m_bChangedWhileWriting = false;
        noteChange();
    }
}

void CRecoveryFile::waitForWrite()
{
    m_watcher.waitForFinished();
}

void CRecoveryFile::discard()
{
    m_timer.stop();
    waitForWrite();
    m_bChangedWhileWriting = false;
    QFile::remove(filePath());
    QFile::remove(notePathOf(filePath()));
    // Unlocking removes the lock file.
    m_pLock.reset();
}

QStringList CRecoveryFile::crashedFiles() const
{
    QStringList crashed;
    const QFileInfoList files =
        QDir(m_strFolder)
            .entryInfoList({QStringLiteral("*.") + QLatin1String(CBoardFile::c_szSuffix)}, QDir::Files,
                           QDir::Time);
    for (const QFileInfo& file : files) {
        if (file.absoluteFilePath() == QFileInfo(filePath()).absoluteFilePath())
            continue;
        // A live session holds its lock; the lock of one that crashed can be taken (its process is
        // gone) or is missing.
        QLockFile lock(lockPathOf(file.absoluteFilePath()));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            crashed.append(file.absoluteFilePath());
    }
    return crashed;
}

QString CRecoveryFile::originalPathOf(const QString& strRecoveryFile)
{
    QFile note(notePathOf(strRecoveryFile));
    return note.open(QIODevice::ReadOnly) ? QString::fromUtf8(note.readAll()) : QString();
}

QDateTime CRecoveryFile::writtenAt(const QString& strRecoveryFile)
{
    return QFileInfo(strRecoveryFile).lastModified();
}

bool CRecoveryFile::adopt(const QString& strRecoveryFile)
{
    m_timer.stop();
    waitForWrite();
    if (!lock())
        return false;
    QFile::remove(filePath());
    QFile::remove(notePathOf(filePath()));
    if (!QFile::rename(strRecoveryFile, filePath()))
        return false;
    QFile::rename(notePathOf(strRecoveryFile), notePathOf(filePath()));
    QFile::remove(lockPathOf(strRecoveryFile));
    return true;
}

void CRecoveryFile::remove(const QString& strRecoveryFile)
{
    QFile::remove(strRecoveryFile);
    QFile::remove(notePathOf(strRecoveryFile));
    QFile::remove(lockPathOf(strRecoveryFile));
}
