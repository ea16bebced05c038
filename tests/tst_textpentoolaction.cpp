// The "Text-Pen" menu entry: offered only with a recognizer and a page that takes input, enabled
// unless the board shows the live desktop, and choosing it activates the text pen only while offered.
#include "actionmanager.h"
#include "guilayer.h"
#include "hostjournal.h"
#include "logsystem.h"
#include "orreryview.h"
#include "recognizermanager.h"
#include "scriptedrecognizer.h"
#include "textpenplugin.h"
#include "textpentoolaction.h"
#include "toolmanager.h"
#include "topic.h"
#include "workspace.h"

#include <QTemporaryDir>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <memory>

class tst_TextPenToolAction : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<COrreryView> m_pView;
    CTextPenPlugIn m_plugin;

    static CAction* action()
    {
        return COrrery::getActionManager()->getAction(QStringLiteral("tool.textpen"));
    }

private slots:
    void init()
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        m_pView = std::make_unique<COrreryView>();
        COrrery::setView(m_pView.get());
        QVERIFY(
            COrrery::getRecognizerManager()->registerRecognizer(boost::make_shared<CScriptedRecognizer>()));
        QVERIFY(m_plugin.setUp());
        QVERIFY(qobject_cast<CTextPenToolAction*>(action()));
    }
    void cleanup()
    {
        m_pView.reset();
        CGUILayer::shutdownHost();
        CLogSystem::theRootInstance->setLevel("INFO");
    }

    void theEntryIsTheTextPensWithItsLabelAndIcon()
    {
        CAction* pAction = action();
        QCOMPARE(pAction->getLabelText(), QStringLiteral("Text-Pen"));
        QCOMPARE(pAction->text(), QStringLiteral("Text-Pen"));
        QCOMPARE(static_cast<CToolAction*>(pAction)->getToolName(), QStringLiteral("textpenplugin.handtext"));
        QCOMPARE(pAction->icon().pixmap(32, 32).toImage().pixelColor(16, 16),
                 QImage(QStringLiteral(":/textpenplugin.text_pen.png")).pixelColor(16, 16));
    }

    void theAnswersFollowRecognizerPageAndView_data()
    {
        QTest::addColumn<bool>("recognizer");
        QTest::addColumn<bool>("blocked");
        QTest::addColumn<bool>("liveDesktop");
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("ready") << true << false << false << true << true;
        QTest::newRow("no recognizer") << false << false << false << false << false;
        QTest::newRow("no recognizer, blocked, live") << false << true << true << false << false;
        QTest::newRow("live desktop") << true << false << true << true << false;
        QTest::newRow("page blocks input") << true << true << false << false << true;
        QTest::newRow("blocked and live") << true << true << true << false << false;
    }
    void theAnswersFollowRecognizerPageAndView()
    {
        QFETCH(bool, recognizer);
        QFETCH(bool, blocked);
        QFETCH(bool, liveDesktop);
        QFETCH(bool, available);
        QFETCH(bool, enabled);
        COrrery::getRecognizerManager()->setActiveRecognizer(recognizer ? QStringLiteral("scripted")
                                                                        : QString());
        COrrery::getWorkspace()->getCurrentTopic()->setInputBlocked(blocked);
        m_pView->setLiveDesktopMode(liveDesktop);
        CAction* pAction = action();
        QCOMPARE(pAction->isAvailable(), available);
        QCOMPARE(pAction->isEnabledImpl(), enabled);
        CActionManager::updateAction(pAction);
        QCOMPARE(pAction->isVisible(), available);
        QCOMPARE(pAction->isEnabled(), available && enabled);

        // Choosing it activates the tool exactly when it is offered, live desktop or not.
        CHostJournal::clear();
        pAction->trigger();
        const bool bActive =
            COrrery::getToolManager()->getActiveTool() ==
            COrrery::getToolManager()->getToolByName(QStringLiteral("textpenplugin.handtext"));
        QCOMPARE(bActive, available);
        QCOMPARE(pAction->isChecked(), available);
        QCOMPARE(CHostJournal::entries(QStringLiteral("CToolAction::exec")),
                 available ? QStringList() << "CToolAction::exec textpenplugin.handtext -> true"
                           : QStringList());
    }

    void itsOperationsAreTracedUnderItsOwnFile()
    {
        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
        CTextPenToolAction(nullptr).getLabelText();
        QStringList lines;
        for (const std::string& strLine : CLogSystem::theRootInstance->sink().lines())
            lines.append(QString::fromStdString(strLine).replace(QRegularExpression("\t[0-9]+\t"), "#"));
        // The tool's lines in between come from the host asking whether the text pen is active.
        QCOMPARE(lines.filter(QStringLiteral("CTextPenToolAction::")),
                 QStringList() << ".\\textpentoolaction.cpp# Enter CTextPenToolAction::CTextPenToolAction "
                               << ".\\textpentoolaction.cpp# Exit CTextPenToolAction::CTextPenToolAction "
                               << ".\\textpentoolaction.cpp# Enter CTextPenToolAction::getLabelText "
                               << ".\\textpentoolaction.cpp# Exit CTextPenToolAction::getLabelText ");
    }
};

QTEST_MAIN(tst_TextPenToolAction)
#include "tst_textpentoolaction.moc"
