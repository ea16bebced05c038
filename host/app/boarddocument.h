// The board as a document: the file it lives in, whether it has unsaved changes (the undo stack is not
// where it was at the last save), the File menu's New, Open, Open Recent, Save and Save As, and the
// question before a board with changes goes. It names the window after the board and keeps a recovery
// copy of unsaved changes, which it offers back after a crash.
#pragma once

#include "boardfile.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class COrreryView;
class CRecoveryFile;
class QAction;
class QMenu;
class QWidget;

class CBoardDocument : public QObject
{
    Q_OBJECT

public:
    // Asks the user for a board file to open (bSave false) or to save under, starting at
    // strProposed; empty when the user cancelled. Tests answer in its place.
    using FAskFileName = std::function<QString(QWidget* pParent, bool bSave, const QString& strProposed)>;
    // Returns the asker it replaces; an empty one shows the file dialog again.
    static FAskFileName setFileNameAsker(FAskFileName fnAsker);

    // The board shown in pView, in pWindow, whose title names it; recovery copies go to strRecoveryFolder.
    CBoardDocument(QWidget* pWindow, COrreryView* pView, const QString& strRecoveryFolder);
    ~CBoardDocument() override;

    // Empty for a board never saved.
    QString filePath() const { return m_strPath; }
    // The file's name, or "Untitled".
    QString displayName() const;
    bool isModified() const;
    // The boards opened or saved last, the latest first.
    QStringList recentFiles() const;
    CRecoveryFile* recovery() const { return m_pRecovery; }

    // Adds New, Open..., Open Recent, Save and Save As... to the menu.
    void fillFileMenu(QMenu* pMenu);

    // Each answers false when the user cancelled or the board could not be opened or saved; the board
    // is then as it was.
    bool newBoard();
    bool open();
    // bAsk: Save, Discard or Cancel first when the board has unsaved changes.
    bool openFile(const QString& strPath, bool bAsk = true);
    bool save();
    bool saveAs();
    bool saveTo(const QString& strPath);
    // Before the board goes: Save, Discard or Cancel when it has unsaved changes. True when it may go.
    bool maybeSave();
    // The board goes with nothing unsaved in it (the app quits): the recovery copy is removed.
    void close();
    void clearRecentFiles();
    // At start: a board that a crashed session left unsaved is offered back (Restore or Discard).
    void offerRecovery();

signals:
    void signalModifiedChanged(bool bModified);

private:
    void refreshTitle();
    void refreshRecentMenu();
    void slotBoardChanged();
    void addRecentFile(const QString& strPath);
    // Puts the pages in place of the board's; undo starts afresh.
    void replaceBoard(const CBoardFile::SBoard& board, const QString& strPath, bool bRestored);
    void tellFailure(const QString& strWhat, const QString& strPath, QString strReason);
    QString askFileName(bool bSave, const QString& strProposed);

    QWidget* m_pWindow = nullptr;
    COrreryView* m_pView = nullptr;
    CRecoveryFile* m_pRecovery = nullptr;
    QMenu* m_pRecentMenu = nullptr;
    QString m_strPath;
    // A restored board has changes that no undo step holds.
    bool m_bRestored = false;
    bool m_bWasModified = false;
};
