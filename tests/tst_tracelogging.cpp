// The trace lines that the plug-in's operations write into the host's log: their exact text, and
// that none are written unless the level is exactly "TRACE".
#include "logsystem.h"
#include "textpenplugin.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList loggedLines()
{
    QStringList lines;
    for (const std::string& strLine : CLogSystem::theRootInstance->sink().lines())
        lines.append(QString::fromStdString(strLine));
    return lines;
}

// Lines read "<file tag><line>\t <Enter|Exit> <name> "; the line number moves with the code.
QString withoutLineNumber(const QString& strLine)
{
    return QString(strLine).replace(QRegularExpression(QStringLiteral("\t[0-9]+\t")),
                                    QStringLiteral("\t#\t"));
}

} // namespace

class tst_TraceLogging : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        CLogSystem::theRootInstance->sink().clear();
        CLogSystem::theRootInstance->setLevel("TRACE");
    }
    void cleanupTestCase() { CLogSystem::theRootInstance->setLevel("INFO"); }

    void aTracedCallWritesEnterThenExitExactly()
    {
        CTextPenPlugIn plugin;
        QCOMPARE(plugin.getID(), QStringLiteral("veltra.textpenplugin-1.0"));

        const QStringList lines = loggedLines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(withoutLineNumber(lines.at(0)),
                 QStringLiteral(".\\textpenplugin.cpp\t#\t Enter CTextPenPlugIn::getID "));
        QCOMPARE(withoutLineNumber(lines.at(1)),
                 QStringLiteral(".\\textpenplugin.cpp\t#\t Exit CTextPenPlugIn::getID "));

        // Both line numbers are real source lines, the exit after the entry.
        const QRegularExpression number(QStringLiteral("\t([0-9]+)\t"));
        const int iEnter = number.match(lines.at(0)).captured(1).toInt();
        const int iExit = number.match(lines.at(1)).captured(1).toInt();
        QVERIFY(iEnter > 0);
        QVERIFY(iExit > iEnter);
    }

    void noLineUnlessTheLevelIsExactlyTrace_data()
    {
        QTest::addColumn<QString>("level");
        QTest::newRow("lower case") << "trace";
        QTest::newRow("padded") << "TRACE ";
        QTest::newRow("debug") << "DEBUG";
        QTest::newRow("info") << "INFO";
        QTest::newRow("empty") << "";
    }
    void noLineUnlessTheLevelIsExactlyTrace()
    {
        QFETCH(QString, level);
        CLogSystem::theRootInstance->setLevel(level.toStdString());
        CTextPenPlugIn plugin;
        plugin.getID();
        plugin.getPluginName();
        plugin.setUp();
        plugin.tearDown();
        QCOMPARE(loggedLines(), QStringList());
    }

    void everyOperationOfThePluginObjectIsTraced_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("setUp") << "CTextPenPlugIn::setUp";
        QTest::newRow("tearDown") << "CTextPenPlugIn::tearDown";
        QTest::newRow("getID") << "CTextPenPlugIn::getID";
        QTest::newRow("getPluginName") << "CTextPenPlugIn::getPluginName";
    }
    void everyOperationOfThePluginObjectIsTraced()
    {
        QFETCH(QString, name);
        CTextPenPlugIn plugin;
        const QString strOperation = name.section(QStringLiteral("::"), 1);
        if (strOperation == QLatin1String("setUp"))
            plugin.setUp();
        else if (strOperation == QLatin1String("tearDown"))
            plugin.tearDown();
        else if (strOperation == QLatin1String("getID"))
            plugin.getID();
        else
            plugin.getPluginName();
        // Set-up's own lines enclose those of the objects it makes.
        QStringList names;
        for (const QString& strLine : loggedLines())
            names.append(strLine.section(QLatin1Char('\t'), 2));
        QVERIFY(names.size() >= 2);
        QCOMPARE(names.first(), QStringLiteral(" Enter %1 ").arg(name));
        QCOMPARE(names.last(), QStringLiteral(" Exit %1 ").arg(name));
        QCOMPARE(names.filter(QStringLiteral("CTextPenPlugIn::")).size(), 2);
    }

    // The older host passed texts through a URL round trip; ours must still write them unchanged,
    // including a leading "Name:" that a URL parser reads as a scheme, backslashes and TABs.
    void insertionsWriteTheirTextAsGivenEachFollowedByASpace_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("scheme-like") << "CTextPenPlugIn::getID";
        QTest::newRow("file tag") << ".\\textpenplugin.cpp\t12\t";
        QTest::newRow("non-Latin") << QString::fromUtf8("Überschrift مرحبا");
    }
    void insertionsWriteTheirTextAsGivenEachFollowedByASpace()
    {
        QFETCH(QString, text);
        basic_logging::Logger& logger = CLogSystem::theRootInstance->logger();
        logger << text << "(" << true << false << ")" << basic_logging::Logger::end;
        QCOMPARE(loggedLines(), QStringList() << text + QStringLiteral(" ( 1 0 ) "));
    }

    void theLogFileReceivesEachLine()
    {
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("whiteboard.log"));
        basic_logging::tracelevel& sink = CLogSystem::theRootInstance->sink();
        QVERIFY(sink.setFile(strPath));
        CTextPenPlugIn().getPluginName();
        QVERIFY(sink.setFile(QString()));

        QFile file(strPath);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList fileLines =
            QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(fileLines, loggedLines());
        QCOMPARE(fileLines.size(), 2);
    }

    void anUnwritableLogFileLeavesTheMemoryLogWorking()
    {
        basic_logging::tracelevel& sink = CLogSystem::theRootInstance->sink();
        QVERIFY(!sink.setFile(QStringLiteral("/nonexistent-dir/whiteboard.log")));
        CTextPenPlugIn().getID();
        QCOMPARE(loggedLines().size(), 2);
    }

    void theEnvironmentChoosesTheLevelBeforeTheSettings_data()
    {
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<QString>("settings");
        QTest::addColumn<QString>("expected");
        QTest::newRow("environment wins") << QByteArray("TRACE") << "INFO"
                                          << "TRACE";
        QTest::newRow("settings") << QByteArray() << "TRACE"
                                  << "TRACE";
        QTest::newRow("neither") << QByteArray() << ""
                                 << "INFO";
    }
    void theEnvironmentChoosesTheLevelBeforeTheSettings()
    {
        QFETCH(QByteArray, environment);
        QFETCH(QString, settings);
        QFETCH(QString, expected);
        if (environment.isEmpty())
            qunsetenv("WHITEBOARD_LOG_LEVEL");
        else
            qputenv("WHITEBOARD_LOG_LEVEL", environment);
        QCOMPARE(QString::fromStdString(CLogSystem::configuredLevel(settings)), expected);
        qunsetenv("WHITEBOARD_LOG_LEVEL");
    }
};

QTEST_MAIN(tst_TraceLogging)
#include "tst_tracelogging.moc"
