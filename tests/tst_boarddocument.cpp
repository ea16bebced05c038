// The board as a document in the app's window: the question before unsaved changes go, the title that
// follows the undo stack, a file that cannot be opened, and the recovery copy that outlives a crash.
#include "boarddocument.h"
#include "boardhost.h"
#include "component.h"
#include "controllayer.h"
#include "mainwindow.h"
#include "recoveryfile.h"
#include "topic.h"

#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>
#include <QtTest>

class tst_BoardDocument : public QObject
{
    Q_OBJECT

    CBoardHost m_host;
    QTemporaryDir m_dir;
    std::unique_ptr<CMainWindow> m_pWindow;
    // What the user was told or asked, the answer to questions and the file dialog's answer.
    QStringList m_messages;
    QMessageBox::StandardButton m_eAnswer = QMessageBox::Cancel;
    QString m_strFileName;

    CBoardDocument* document() const { return m_pWindow->document(); }
    static QUndoStack* undoStack() { return CControlLayer::get()->undoStack(); }
    static int shown() { return COrrery::getWorkspace()->getCurrentTopic()->components().size(); }
    static bool addText()
    {
        return CControlLayer::get()->invokeInsertCommand(CComponent::create("text"), -1, -1);
    }
    QString path(const QString& strName) const { return m_dir.filePath(strName); }

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", QFile::encodeName(path("data"))); }
    void init()
    {
        m_host.start(SHostOptions(), false);
        m_messages.clear();
        m_eAnswer = QMessageBox::Cancel;
        CActionUtilities::setMessageHandler([this](auto, const QString& strText, auto buttons) {
            m_messages.append(strText);
            return buttons.testFlag(m_eAnswer) ? m_eAnswer : QMessageBox::Ok;
        });
        CBoardDocument::setFileNameAsker([this](QWidget*, bool, const QString&) { return m_strFileName; });
        m_pWindow = std::make_unique<CMainWindow>();
    }
    void cleanup()
    {
        CBoardDocument::setFileNameAsker({});
        m_pWindow.reset();
        m_host.stop();
        QFile::remove(path("lesson.board"));
        QFile::remove(path("b.board"));
        QDir(path("data")).removeRecursively();
    }

    void theAnswerDecidesWhetherTheBoardGoes_data()
    {
        QTest::addColumn<bool>("bQuit");
        QTest::addColumn<bool>("bChanged");
        QTest::addColumn<int>("eAnswer");
        QTest::addColumn<QString>("strFileName");
        QTest::addColumn<bool>("bGoes");
        QTest::newRow("new, unchanged") << false << false << int(QMessageBox::Cancel) << "" << true;
        QTest::newRow("new, discard") << false << true << int(QMessageBox::Discard) << "" << true;
        QTest::newRow("new, cancel") << false << true << int(QMessageBox::Cancel) << "" << false;
        QTest::newRow("new, save, no name") << false << true << int(QMessageBox::Save) << "" << false;
        QTest::newRow("new, save") << false << true << int(QMessageBox::Save) << "lesson" << true;
        QTest::newRow("quit, discard") << true << true << int(QMessageBox::Discard) << "" << true;
        QTest::newRow("quit, cancel") << true << true << int(QMessageBox::Cancel) << "" << false;
        QTest::newRow("quit, save, no name") << true << true << int(QMessageBox::Save) << "" << false;
        QTest::newRow("quit, save") << true << true << int(QMessageBox::Save) << "lesson" << true;
    }
    void theAnswerDecidesWhetherTheBoardGoes()
    {
        QFETCH(bool, bQuit);
        QFETCH(bool, bChanged);
        QFETCH(int, eAnswer);
        QFETCH(QString, strFileName);
        QFETCH(bool, bGoes);
        QVERIFY(!bChanged || addText());
        m_eAnswer = QMessageBox::StandardButton(eAnswer);
        m_strFileName = strFileName.isEmpty() ? QString() : path(strFileName);
        QCOMPARE(bQuit ? m_pWindow->close() : document()->newBoard(), bGoes);
        QCOMPARE(m_messages.size(), bChanged ? 1 : 0);
        // A board that stays, or the window that closed over it, keeps its pages.
        QCOMPARE(shown(), bChanged && (bQuit || !bGoes) ? 1 : 0);
        QCOMPARE(undoStack()->count(), bQuit || !bGoes ? int(bChanged) : 0);
        QCOMPARE(document()->isModified(),
                 bChanged && (!bGoes || (bQuit && eAnswer == QMessageBox::Discard)));
        QCOMPARE(QFile::exists(path("lesson.board")), eAnswer == QMessageBox::Save && bGoes);
    }

    void theTitleNamesTheBoardAndMarksChanges()
    {
        QSignalSpy modified(document(), &CBoardDocument::signalModifiedChanged);
        QCOMPARE(m_pWindow->windowTitle(), QStringLiteral("Untitled[*] - Whiteboard"));
        QVERIFY(addText());
        QVERIFY(m_pWindow->isWindowModified());
        undoStack()->undo();
        QVERIFY(!m_pWindow->isWindowModified());
        undoStack()->redo();
        m_strFileName = path("lesson");
        QVERIFY(document()->saveAs());
        QCOMPARE(m_pWindow->windowTitle(), QStringLiteral("lesson.board[*] - Whiteboard"));
        QCOMPARE(QList<QList<QVariant>>(modified),
                 (QList<QList<QVariant>>{{true}, {false}, {true}, {false}}));
        QCOMPARE(document()->recentFiles(), QStringList(path("lesson.board")));
        QVERIFY(document()->newBoard() && document()->openFile(path("lesson.board")));
        QCOMPARE(shown(), 1);
        QCOMPARE(undoStack()->count(), 0);
        QVERIFY(!m_pWindow->isWindowModified());
    }

    // The latest first; a board that went is greyed until the list is cleared.
    void theRecentBoardsAreListed()
    {
        QVERIFY(addText());
        for (const char* szName : {"a", "b"}) {
            m_strFileName = path(szName);
            QVERIFY(document()->saveAs());
        }
        QVERIFY(QFile::remove(path("a.board")));
        QMenu* pRecent = nullptr;
        for (QAction* pEntry : m_pWindow->menuBar()->actions().first()->menu()->actions())
            pRecent = pEntry->menu() ? pEntry->menu() : pRecent;
        emit pRecent->aboutToShow();
        QStringList entries;
        for (QAction* pEntry : pRecent->actions())
            entries << pEntry->text() + (pEntry->isEnabled() ? "" : " (greyed)");
        QCOMPARE(entries, QStringList({"b.board", "a.board (greyed)", "", "&Clear Recent"}));
        pRecent->actions().last()->trigger();
        QVERIFY(document()->recentFiles().isEmpty());
    }

    // The board stays as it was, with its changes and their undo steps.
    void aFileThatCannotBeOpenedLeavesTheBoard_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a board") << QByteArray("PK\3\4 not a zip at all");
    }
    void aFileThatCannotBeOpenedLeavesTheBoard()
    {
        QFETCH(QByteArray, content);
        QFile file(path("lesson.board"));
        QVERIFY(content.isEmpty() || (file.open(QIODevice::WriteOnly) && file.write(content) > 0));
        file.close();
        QVERIFY(addText());
        m_eAnswer = QMessageBox::Discard;
        QVERIFY(!document()->openFile(file.fileName()));
        QVERIFY2(m_messages.last().startsWith("Could not open \"lesson.board\": "),
                 qPrintable(m_messages.last()));
        QCOMPARE(shown(), 1);
        QCOMPARE(undoStack()->count(), 1);
        QVERIFY(document()->isModified() && document()->filePath().isEmpty());
    }

    // Left behind by a session whose process is gone (its lock can be taken) or still running.
    void aCrashedSessionsBoardIsOffered_data()
    {
        QTest::addColumn<QString>("strLock");
        QTest::addColumn<bool>("bOffered");
        QTest::newRow("dead") << "dead" << true;
        QTest::newRow("no lock") << "" << true;
        QTest::newRow("live") << "live" << false;
    }
    void aCrashedSessionsBoardIsOffered()
    {
        QFETCH(QString, strLock);
        QFETCH(bool, bOffered);
        const QDir folder(CRecoveryFile::defaultFolder());
        QVERIFY(folder.mkpath(".") && addText() && document()->saveTo(path("lesson.board")));
        const QString strFile = folder.filePath("session-1-1.board");
        QVERIFY(QFile::copy(path("lesson.board"), strFile));
        QLockFile lock(folder.filePath("session-1-1.lock"));
        QVERIFY(strLock.isEmpty() || lock.tryLock(0));
        if (strLock == "dead") {
            // The lock as its session wrote it, but of a process that is not there.
            QFile held(folder.filePath("session-1-1.lock"));
            QVERIFY(held.open(QIODevice::ReadOnly));
            QByteArray content = held.readAll();
            held.close();
            lock.unlock();
            QVERIFY(held.open(QIODevice::WriteOnly));
            held.write(content.replace(0, content.indexOf('\n'), "2147483000"));
        }
        QVERIFY(document()->newBoard());
        m_messages.clear();
        m_eAnswer = QMessageBox::Ok;
        document()->offerRecovery();
        QCOMPARE(m_messages.size(), int(bOffered));
        // Restored: the board comes back as it was at the crash, unsaved and untitled.
        QCOMPARE(shown(), int(bOffered));
        QCOMPARE(document()->isModified(), bOffered);
        QCOMPARE(QFile::exists(strFile), !bOffered);
        QCOMPARE(QFile::exists(document()->recovery()->filePath()), bOffered);
        m_eAnswer = QMessageBox::Discard;
        QVERIFY(m_pWindow->close());
        QVERIFY(!QFile::exists(document()->recovery()->filePath()));
        CRecoveryFile::remove(strFile);
    }

    // A change is copied on its own; the copy goes at a clean quit.
    void theRecoveryCopyLastsUntilACleanQuit()
    {
        CRecoveryFile* pRecovery = document()->recovery();
        pRecovery->setInterval(0);
        QSignalSpy written(pRecovery, &CRecoveryFile::signalWritten);
        QVERIFY(addText());
        QVERIFY(written.wait());
        QCOMPARE(written.first().first().toString(), QString());
        CBoardFile::SBoard board;
        QVERIFY(CBoardFile::read(pRecovery->filePath(), &board, nullptr));
        QCOMPARE(board.pages.value(0).components.size(), 1);
        QVERIFY(pRecovery->crashedFiles().isEmpty());
        m_eAnswer = QMessageBox::Discard;
        QVERIFY(m_pWindow->close());
        QVERIFY(!QFile::exists(pRecovery->filePath()));
    }
};

QTEST_MAIN(tst_BoardDocument)
#include "tst_boarddocument.moc"
