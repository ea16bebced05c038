#include "boarddocument.h"

#include "actionutilities.h"
#include "controllayer.h"
#include "layoutdirectionfollower.h"
#include "orrery.h"
#include "orreryview.h"
#include "recoveryfile.h"
#include "tool.h"
#include "toolmanager.h"
#include "userfolder.h"
#include "workspace.h"

#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QUndoStack>

namespace {

const char* const c_szRecentKey = "files/recent";
const int c_iMaxRecent = 8;

CBoardDocument::FAskFileName& fileNameAsker()
{
    static CBoardDocument::FAskFileName s_fnAsker;
    return s_fnAsker;
}

QString suffix()
{
    return QLatin1String(CBoardFile::c_szSuffix);
}

QString documentsFolder()
{
    return userFolder(QStandardPaths::DocumentsLocation);
}

// Whatever the pen still holds becomes part of the board before the board is saved or goes.
void finishPendingWork()
{
    if (CToolManager* pTools = COrrery::getToolManager())
        if (CTool* pTool = pTools->getActiveTool())
            pTool->finishPendingWork();
}

} // namespace

CBoardDocument::FAskFileName CBoardDocument::setFileNameAsker(FAskFileName fnAsker)
{
    FAskFileName previous = std::move(fileNameAsker());
    fileNameAsker() = std::move(fnAsker);
    return previous;
}

CBoardDocument::CBoardDocument(QWidget* pWindow, COrreryView* pView, const QString& strRecoveryFolder)
    : QObject(pWindow), m_pWindow(pWindow), m_pView(pView),
      m_pRecovery(new CRecoveryFile(strRecoveryFolder, this))
{
    QUndoStack* pStack = CControlLayer::get()->undoStack();
    connect(pStack, &QUndoStack::indexChanged, this, &CBoardDocument::slotBoardChanged);
    connect(pStack, &QUndoStack::cleanChanged, this, &CBoardDocument::refreshTitle);
    // The pages go right after this: the view must let go of them first.
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    connect(pWorkspace, &CWorkspace::signalTopicsReset, m_pView,
            [this, pWorkspace] { m_pView->showTopic(pWorkspace->getCurrentTopic()); });
    connect(m_pRecovery, &CRecoveryFile::signalWritten, this, [](const QString& strError) {
        if (!strError.isEmpty())
            CActionUtilities::messageBox(
                CActionUtilities::eMessageBoxWarning, nullptr,
                tr("Unsaved changes cannot be kept safe from a crash: %1.").arg(strError), QMessageBox::Ok,
                QMessageBox::Ok);
    });
    refreshTitle();
}

CBoardDocument::~CBoardDocument() = default;

QString CBoardDocument::displayName() const
{
    return m_strPath.isEmpty() ? tr("Untitled") : QFileInfo(m_strPath).fileName();
}

bool CBoardDocument::isModified() const
{
    return m_bRestored || !CControlLayer::get()->undoStack()->isClean();
}

void CBoardDocument::refreshTitle()
{
    //: %1 is the board's file name, or Untitled; [*] is where the window shows unsaved changes.
    m_pWindow->setWindowTitle(tr("%1[*] - Whiteboard").arg(displayName()));
    const bool bModified = isModified();
    m_pWindow->setWindowModified(bModified);
    if (bModified != m_bWasModified) {
        m_bWasModified = bModified;
        emit signalModifiedChanged(bModified);
    }
}

void CBoardDocument::slotBoardChanged()
{
    refreshTitle();
    if (isModified())
        m_pRecovery->noteChange();
    else
        m_pRecovery->discard();
}

void CBoardDocument::fillFileMenu(QMenu* pMenu)
{
    pMenu->addAction(tr("&New"), this, &CBoardDocument::newBoard, QKeySequence::New);
    pMenu->addAction(CLayoutDirectionFollower::anchored(tr("&Open\u2026")), this, &CBoardDocument::open,
                     QKeySequence::Open);
    m_pRecentMenu = pMenu->addMenu(tr("Open &Recent"));
    m_pRecentMenu->setToolTipsVisible(true);
    connect(m_pRecentMenu, &QMenu::aboutToShow, this, &CBoardDocument::refreshRecentMenu);
    refreshRecentMenu();
    pMenu->addSeparator();
    pMenu->addAction(tr("&Save"), this, &CBoardDocument::save, QKeySequence::Save);
    pMenu->addAction(CLayoutDirectionFollower::anchored(tr("Save &As\u2026")), this, &CBoardDocument::saveAs,
                     QKeySequence(Qt::CTRL + Qt::SHIFT + Qt::Key_S));
}

void CBoardDocument::refreshRecentMenu()
{
    m_pRecentMenu->clear();
    const QStringList recent = recentFiles();
    QStringList names;
    for (const QString& strPath : recent)
        names.append(QFileInfo(strPath).fileName());
    for (const QString& strPath : recent) {
        const QFileInfo file(strPath);
        // Two boards of one name are told apart by their folders.
        const QString strLabel =
            names.count(file.fileName()) > 1
                ? QStringLiteral("%1 (%2)").arg(file.fileName(), QDir::toNativeSeparators(file.path()))
                : file.fileName();
        QAction* pEntry = m_pRecentMenu->addAction(CLayoutDirectionFollower::anchored(strLabel), this,
                                                   [this, strPath] { openFile(strPath); });
        // A board that was moved or deleted stays listed, greyed, until the list is cleared.
        pEntry->setEnabled(file.exists());
        pEntry->setToolTip(file.exists()
                               ? QDir::toNativeSeparators(strPath)
                               : tr("%1 is not there any more").arg(QDir::toNativeSeparators(strPath)));
    }
    m_pRecentMenu->addSeparator();
    m_pRecentMenu->addAction(tr("&Clear Recent"), this, &CBoardDocument::clearRecentFiles)
        ->setEnabled(!recent.isEmpty());
}

QStringList CBoardDocument::recentFiles() const
{
    QSettings* pSettings = COrrery::getUserSettings();
    return pSettings ? pSettings->value(QLatin1String(c_szRecentKey)).toStringList() : QStringList();
}

void CBoardDocument::addRecentFile(const QString& strPath)
{
    QSettings* pSettings = COrrery::getUserSettings();
    if (!pSettings)
        return;
    const QString strAbsolute = QFileInfo(strPath).absoluteFilePath();
    QStringList recent = recentFiles();
    recent.removeAll(strAbsolute);
    recent.prepend(strAbsolute);
    pSettings->setValue(QLatin1String(c_szRecentKey), QStringList(recent.mid(0, c_iMaxRecent)));
}

void CBoardDocument::clearRecentFiles()
{
    if (QSettings* pSettings = COrrery::getUserSettings())
        pSettings->remove(QLatin1String(c_szRecentKey));
}

QString CBoardDocument::askFileName(bool bSave, const QString& strProposed)
{
    if (fileNameAsker())
        return fileNameAsker()(m_pWindow, bSave, strProposed);
    QFileDialog dialog(m_pWindow, bSave ? tr("Save Board") : tr("Open Board"), strProposed,
                       tr("Boards (*.%1)").arg(suffix()));
    dialog.setAcceptMode(bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog adds the suffix before it asks whether to replace a file of that name.
    dialog.setDefaultSuffix(suffix());
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void CBoardDocument::tellFailure(const QString& strWhat, const QString& strPath, QString strReason)
{
    while (strReason.endsWith(QLatin1Char('.')))
        strReason.chop(1);
    if (strReason.isEmpty())
        strReason = tr("the reason is not known");
    CActionUtilities::messageBox(CActionUtilities::eMessageBoxWarning, m_pWindow,
                                 strWhat.arg(QFileInfo(strPath).fileName(), strReason), QMessageBox::Ok,
                                 QMessageBox::Ok);
}

bool CBoardDocument::maybeSave()
{
    finishPendingWork();
    if (!isModified())
        return true;
    switch (CActionUtilities::messageBox(
        CActionUtilities::eMessageBoxQuestion, m_pWindow,
        tr("The board \"%1\" has changes that are not saved. Save them?").arg(displayName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        // Cancel, Escape or the box closed: everything stays as it was.
        return false;
    }
}

bool CBoardDocument::save()
{
    return m_strPath.isEmpty() ? saveAs() : saveTo(m_strPath);
}

bool CBoardDocument::saveAs()
{
    const QString strProposed =
        !m_strPath.isEmpty() ? m_strPath
                             : QDir(documentsFolder())
                                   .filePath(QStringLiteral("board-%1.%2")
                                                 .arg(QDate::currentDate().toString(Qt::ISODate), suffix()));
    QString strPath = askFileName(true, strProposed);
    if (strPath.isEmpty())
        return false;
    if (QFileInfo(strPath).suffix().compare(suffix(), Qt::CaseInsensitive) != 0)
        strPath += QLatin1Char('.') + suffix();
    return saveTo(strPath);
}

bool CBoardDocument::saveTo(const QString& strPath)
{
    finishPendingWork();
    QString strError;
    if (!CBoardFile::save(*COrrery::getWorkspace(), strPath, &strError)) {
        tellFailure(tr("Could not save \"%1\": %2."), strPath, strError);
        return false;
    }
    m_strPath = QFileInfo(strPath).absoluteFilePath();
    m_bRestored = false;
    m_pRecovery->setOriginalPath(m_strPath);
    addRecentFile(m_strPath);
    CControlLayer::get()->undoStack()->setClean();
    m_pRecovery->discard();
    refreshTitle();
    return true;
}

bool CBoardDocument::newBoard()
{
    if (!maybeSave())
        return false;
    replaceBoard(CBoardFile::SBoard(), QString(), false);
    return true;
}

bool CBoardDocument::open()
{
    if (!maybeSave())
        return false;
    const QStringList recent = recentFiles();
    const QString strFolder = !m_strPath.isEmpty() ? QFileInfo(m_strPath).path()
                              : !recent.isEmpty()  ? QFileInfo(recent.first()).path()
                                                   : documentsFolder();
    const QString strPath = askFileName(false, strFolder);
    // Asked once: the board's changes were saved or let go above.
    return !strPath.isEmpty() && openFile(strPath, false);
}

bool CBoardDocument::openFile(const QString& strPath, bool bAsk)
{
    if (bAsk && !maybeSave())
        return false;
    CBoardFile::SBoard board;
    QString strError;
    if (!CBoardFile::read(strPath, &board, &strError)) {
        tellFailure(tr("Could not open \"%1\": %2."), strPath, strError);
        return false;
    }
    replaceBoard(board, QFileInfo(strPath).absoluteFilePath(), false);
    addRecentFile(m_strPath);
    return true;
}

void CBoardDocument::replaceBoard(const CBoardFile::SBoard& board, const QString& strPath, bool bRestored)
{
    std::vector<std::unique_ptr<CTopic>> pages = CBoardFile::build(board);
    // The tool lets go of the old pages (an edit in progress ends) and starts afresh on the new.
    CToolManager* pTools = COrrery::getToolManager();
    const QString strTool =
        pTools && pTools->getActiveTool() ? pTools->getActiveTool()->getName() : QString();
    if (!strTool.isEmpty())
        pTools->deactivate();
    m_strPath = strPath;
    m_bRestored = bRestored;
    m_pRecovery->setOriginalPath(strPath);
    // Undo must not reach into the board that goes.
    CControlLayer::get()->undoStack()->clear();
    CWorkspace* pWorkspace = COrrery::getWorkspace();
    pWorkspace->replaceTopics(std::move(pages));
    if (CTopic* pCurrent = pWorkspace->topicAt(board.iCurrentPage))
        pWorkspace->setCurrentTopic(pCurrent);
    if (m_pView->topic() != pWorkspace->getCurrentTopic())
        m_pView->showTopic(pWorkspace->getCurrentTopic());
    if (!bRestored)
        m_pRecovery->discard();
    if (!strTool.isEmpty())
        pTools->activate(strTool);
    refreshTitle();
}

void CBoardDocument::close()
{
    m_pRecovery->discard();
}

void CBoardDocument::offerRecovery()
{
    for (const QString& strFile : m_pRecovery->crashedFiles()) {
        const QString strOriginal = CRecoveryFile::originalPathOf(strFile);
        const QString strBoard = strOriginal.isEmpty()
                                     ? tr("an untitled board")
                                     : QStringLiteral("\"%1\"").arg(QFileInfo(strOriginal).fileName());
        const QMessageBox::StandardButton eAnswer = CActionUtilities::messageBox(
            CActionUtilities::eMessageBoxQuestion, m_pWindow,
            tr("Whiteboard did not quit properly. Unsaved changes to %1 were kept at %2. Restore them?")
                .arg(strBoard, QLocale().toString(CRecoveryFile::writtenAt(strFile), QLocale::ShortFormat)),
            QMessageBox::Ok | QMessageBox::Discard, QMessageBox::Ok, {{QMessageBox::Ok, tr("Restore")}});
        if (eAnswer == QMessageBox::Discard)
            CRecoveryFile::remove(strFile);
        if (eAnswer != QMessageBox::Ok)
            continue;
        CBoardFile::SBoard board;
        QString strError;
        if (!CBoardFile::read(strFile, &board, &strError)) {
            // Kept under another name, out of the way of the next start.
            QFile::rename(strFile, strFile + QStringLiteral(".unreadable"));
            tellFailure(tr("Could not restore \"%1\": %2."), strFile, strError);
            continue;
        }
        if (!m_pRecovery->adopt(strFile)) {
            tellFailure(tr("Could not restore \"%1\": %2."), strFile,
                        tr("the recovery folder cannot be written"));
            continue;
        }
        replaceBoard(board, strOriginal, true);
        // One board at a time; any other waits for the next start.
        return;
    }
}
