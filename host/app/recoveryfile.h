// The copy of an unsaved board that survives a crash. While the board has changes, this session writes
// it now and then to a file of its own in a recovery folder, next to a lock that marks the session as
// alive and a note of the file the board came from. A clean quit removes all three; what a crashed
// session left behind is found at the next start by its lock, whose process is gone.
#pragma once

#include <QDateTime>
#include <QFutureWatcher>
#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <memory>

class CRecoveryFile : public QObject
{
    Q_OBJECT

public:
    // Where the recovery files go by default: "recovery" in the app's data folder.
    static QString defaultFolder();

    explicit CRecoveryFile(const QString& strFolder = defaultFolder(), QObject* pParent = nullptr);
    // Waits for a write in progress, so that no half-written file is left behind.
    ~CRecoveryFile() override;

    // This session's recovery file; it exists only while the board has changes that were written.
    QString filePath() const;
    // The longest a change waits to be written.
    void setInterval(int iMs) { m_timer.setInterval(iMs); }
    int interval() const { return m_timer.interval(); }
    // The board file the board came from, kept with the copy; empty for an untitled board.
    void setOriginalPath(const QString& strPath) { m_strOriginalPath = strPath; }

    // The board changed: it is written when the interval has passed since the first change after the
    // last write.
    void noteChange();
    // Takes the board as it is now and writes it on a worker thread; the board is not held up by it.
    void writeNow();
    bool isWriting() const { return m_watcher.isRunning(); }
    void waitForWrite();
    // The board's changes were saved or thrown away: the copy goes and the session's lock with it.
    void discard();

    // The recovery files of sessions that ended without quitting, the newest first; a session that is
    // still running keeps its own.
    QStringList crashedFiles() const;
    // The board file a recovery file's board came from; empty when it was untitled or is not known.
    static QString originalPathOf(const QString& strRecoveryFile);
    static QDateTime writtenAt(const QString& strRecoveryFile);
    // Makes a crashed session's file this session's own (its lock and note go): the board restored
    // from it stays safe until the user saves it. False when it could not be moved.
    bool adopt(const QString& strRecoveryFile);
    // Removes what a crashed session left behind.
    static void remove(const QString& strRecoveryFile);

signals:
    // A write finished; strError says why it failed, empty when it did not.
    void signalWritten(const QString& strError);

private:
    bool lock();
    void slotWritten();

    QString m_strFolder;
    QString m_strOriginalPath;
    // Unique to this session, so that a new session never takes a crashed one's name.
    QString m_strName;
    std::unique_ptr<QLockFile> m_pLock;
    QTimer m_timer;
    QFutureWatcher<QString> m_watcher;
    // A change came while a write was under way: another write follows it.
    bool m_bChangedWhileWriting = false;
};
