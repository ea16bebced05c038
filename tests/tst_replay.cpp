// Recorded handwriting replayed on the board: each piece is written with the text pen and becomes a
// text box, reported with the readings it was offered; writing over a box overwrites it; the writing
// is laid out at the size of writing on a board; a file that cannot be used is refused with its place
// and leaves nothing behind.
#include "component.h"
#include "guilayer.h"
#include "inkreplay.h"
#include "iplugin.h"
#include "orrery.h"
#include "orreryview.h"
#include "pluginloader.h"
#include "recognizermanager.h"
#include "scriptedrecognizer.h"
#include "toolmanager.h"
#include "topic.h"
#include "workspace.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <boost/make_shared.hpp>
#include <memory>

namespace {

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");
const QString c_strSample = QStringLiteral(SAMPLES_DIR "/address-change.inkml");

QByteArray ink(const QByteArray& body)
{
    return "<ink xmlns=\"http://www.w3.org/2003/InkML\">\n" + body + "</ink>\n";
}

QByteArray resolution(const QByteArray& value, const QByteArray& units)
{
    return "<definitions><inkSource><channelProperties>"
           "<channelProperty channel=\"X\" name=\"resolution\" value=\"" +
           value + "\" units=\"" + units +
           "\"/>"
           "<channelProperty channel=\"Y\" name=\"resolution\" value=\"" +
           value + "\" units=\"" + units + "\"/></channelProperties></inkSource></definitions>\n";
}

// A word of iHeight: a zigzag stroke and a shorter one beside it, starting at (iX, iY).
QByteArray word(const QByteArray& strId, int iX, int iY, int iHeight)
{
    const QString strTrace = QStringLiteral("<trace>%1 %2, %3 %4, %5 %2, %6 %4</trace>"
                                            "<trace>%7 %2, %7 %4</trace>")
                                 .arg(iX)
                                 .arg(iY)
                                 .arg(iX + iHeight / 2)
                                 .arg(iY + iHeight)
                                 .arg(iX + iHeight)
                                 .arg(iX + 3 * iHeight / 2)
                                 .arg(iX + 2 * iHeight);
    return "<traceGroup xml:id=\"" + strId + "\">" + strTrace.toLatin1() + "</traceGroup>\n";
}

QString write(const QTemporaryDir& dir, const QString& strName, const QByteArray& data)
{
    const QString strPath = dir.filePath(strName);
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return QString();
    return strPath;
}

QPointF topLeftOf(const QVector<SInkWriting>& pieces)
{
    QPointF topLeft(1e9, 1e9);
    for (const SInkWriting& piece : pieces)
        for (const QVector<QPointF>& stroke : piece.strokes)
            for (const QPointF& point : stroke)
                topLeft = QPointF(std::min(topLeft.x(), point.x()), std::min(topLeft.y(), point.y()));
    return topLeft;
}

struct SRun
{
    int iExitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// The app as a user starts it, with settings of its own and without a display.
SRun runWhiteboard(const QTemporaryDir& home, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.path());
    process.start(QStringLiteral(WHITEBOARD_EXE),
                  QStringList{QStringLiteral("--plugins"), QStringLiteral(TEXTPEN_PLUGIN_DIR)} + arguments);
    SRun run;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        run.iExitCode = process.exitCode();
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

} // namespace

class tst_Replay : public QObject
{
    Q_OBJECT

public:
    explicit tst_Replay(CPluginLoader& loader) : m_loader(loader) {}

private slots:
    void initTestCase()
    {
        m_pPlugin = m_loader.load(CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0));
        QVERIFY2(m_pPlugin, qPrintable(m_loader.errorString()));
    }

    void init()
    {
        SHostOptions options;
        options.strSettingsFile = m_dir.filePath(QStringLiteral("settings.ini"));
        QFile::remove(options.strSettingsFile);
        CGUILayer::resetHost(options);
        QVERIFY(m_pPlugin->setUp());
        m_pRecognizer = boost::make_shared<CScriptedRecognizer>();
        COrrery::getRecognizerManager()->registerRecognizer(m_pRecognizer);
        COrrery::getRecognizerManager()->setActiveRecognizer(m_pRecognizer->getName());
        QVERIFY(COrrery::getToolManager()->activate(c_strTextPen));
        m_pView = std::make_unique<COrreryView>();
        COrrery::setView(m_pView.get());
        m_pView->showTopic(COrrery::getWorkspace()->getCurrentTopic());
    }

    void cleanup()
    {
        m_pPlugin->tearDown();
        COrrery::setView(nullptr);
        m_pView.reset();
        CGUILayer::shutdownHost();
    }

    void eachPieceOfASampleBecomesATextBox()
    {
        const QList<QStringList> readings = {
            {QStringLiteral("Subject"), QStringLiteral("Subjects")},
            {QStringLiteral("wants")},
            {QStringLiteral("address"), QStringLiteral("addresses"), QStringLiteral("addressed")},
            {QStringLiteral("change"), QStringLiteral("charge")}};
        for (const QStringList& reading : readings)
            m_pRecognizer->enqueue(reading);
        CInkReplay replay;
        QVERIFY2(replay.load(c_strSample), qPrintable(replay.errorString()));
        QVector<SReplayedWriting> results;
        QVERIFY2(replay.replay(m_pView.get(), results), qPrintable(replay.errorString()));

        const QStringList truths = {QStringLiteral("Subject"), QStringLiteral("wants"),
                                    QStringLiteral("address"), QStringLiteral("change")};
        QCOMPARE(results.size(), truths.size());
        QCOMPARE(m_pRecognizer->received().size(), truths.size());
        QCOMPARE(m_pView->topic()->componentCount(), truths.size());
        QSet<qint64> ids;
        for (int i = 0; i < results.size(); ++i) {
            const SReplayedWriting& result = results[i];
            // The recognizer saw the piece's strokes, as many as the file has.
            QCOMPARE(m_pRecognizer->received()[i].size(), replay.pieces()[i].strokes.size());
            const CComponent* pBox = m_pView->topic()->getComponent(result.iComponentID);
            QVERIFY(pBox);
            QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), readings[i].first());
            ids.insert(result.iComponentID);

            const QJsonObject json =
                QJsonDocument::fromJson(QJsonDocument(result.toJson()).toJson(QJsonDocument::Compact))
                    .object();
            QCOMPARE(json.value(QStringLiteral("reading")).toString(), readings[i].first());
            QCOMPARE(json.value(QStringLiteral("alternatives")).toArray().toVariantList(),
                     QVariant(readings[i].mid(1)).toList());
            QCOMPARE(json.value(QStringLiteral("truth")).toString(), truths[i]);
            QCOMPARE(json.value(QStringLiteral("id")).toVariant().toLongLong(), pBox->getID());
            const QPointF position = pBox->getPropertyValue(QStringLiteral("position")).toPointF();
            QCOMPARE(json.value(QStringLiteral("position")).toArray(),
                     (QJsonArray{position.x(), position.y()}));
            QCOMPARE(json.value(QStringLiteral("fontSize")).toDouble(),
                     pBox->getPropertyValue(QStringLiteral("fontsize")).toDouble());
            QVERIFY(json.value(QStringLiteral("fontSize")).toDouble() > 0.0);
            QCOMPARE(json.value(QStringLiteral("created")), QJsonValue(true));
        }
        QCOMPARE(ids.size(), truths.size());
        // The first word was written at the top left of the writing, which starts at the margin.
        QCOMPARE(results.first().position, QPointF(CInkReplay::c_dMarginPx, CInkReplay::c_dMarginPx));
        // Nobody was asked to choose among the readings, and the replay leaves the recognizer it found.
        QCOMPARE(COrrery::getRecognizerManager()->getActiveRecognizer(), m_pRecognizer.get());
    }

    void writingOverABoxOverwritesIt()
    {
        QVERIFY(COrrery::getToolManager()->setToolProperty(c_strTextPen, QStringLiteral("overwritetextbox"),
                                                           true, false));
        m_pRecognizer->enqueue({QStringLiteral("cat")});
        m_pRecognizer->enqueue({QStringLiteral("dog"), QStringLiteral("dig")});
        m_pRecognizer->enqueue({QStringLiteral("owl")});
        QTemporaryDir dir;
        const QString strPath =
            write(dir, QStringLiteral("over.inkml"),
                  ink(word("first", 0, 0, 40) + word("again", 5, 5, 30) + word("elsewhere", 0, 400, 40)));
        CInkReplay replay;
        QVERIFY2(replay.load(strPath), qPrintable(replay.errorString()));
        QVector<SReplayedWriting> results;
        QVERIFY(replay.replay(m_pView.get(), results));
        QCOMPARE(results.size(), 3);
        QCOMPARE(results[0].bCreated, true);
        QCOMPARE(results[1].bCreated, false);
        QCOMPARE(results[1].iComponentID, results[0].iComponentID);
        QCOMPARE(results[1].strReading, QStringLiteral("dog"));
        QCOMPARE(results[1].alternatives, QStringList{QStringLiteral("dig")});
        QCOMPARE(results[1].toJson().value(QStringLiteral("created")), QJsonValue(false));
        QCOMPARE(results[2].bCreated, true);
        QVERIFY(results[2].iComponentID != results[0].iComponentID);
        QCOMPARE(m_pView->topic()->componentCount(), 2);
        QCOMPARE(m_pView->topic()
                     ->getComponent(results[0].iComponentID)
                     ->getPropertyValue(QStringLiteral("string")),
                 QVariant(QStringLiteral("dog")));
    }

    // Line height is twice the median stroke height; writing is shown at its declared size unless its
    // lines would be under 60 px, and enlarged to 70 px lines then or where no size is declared.
    void layout_data()
    {
        QTest::addColumn<QByteArray>("declared");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("scale");
        QTest::newRow("declared, large enough") << resolution("48", "1/in") << 20 << 2.0;
        QTest::newRow("declared per cm") << resolution("18.897637795", "1/cm") << 20 << 2.0;
        QTest::newRow("declared, too small") << resolution("680", "1/in") << 100 << 0.35;
        QTest::newRow("none declared") << QByteArray() << 100 << 0.35;
        QTest::newRow("none declared, large") << QByteArray() << 10 << 3.5;
    }

    void layout()
    {
        QFETCH(QByteArray, declared);
        QFETCH(int, height);
        QFETCH(double, scale);
        QTemporaryDir dir;
        const QString strPath =
            write(dir, QStringLiteral("layout.inkml"),
                  ink(declared + word("a", 1000, 500, height) + word("b", 1000 + 3 * height, 520, height)));
        CInkReplay replay;
        QVERIFY2(replay.load(strPath), qPrintable(replay.errorString()));
        QVERIFY2(qAbs(replay.scaleY() - scale) < 1e-6, qPrintable(QString::number(replay.scaleY())));
        QCOMPARE(replay.scaleX(), replay.scaleY());
        QCOMPARE(topLeftOf(replay.pieces()), QPointF(CInkReplay::c_dMarginPx, CInkReplay::c_dMarginPx));
        // The second word keeps its place beside the first.
        const QPointF second = replay.pieces().value(1).strokes.value(0).value(0);
        const QPointF expected(CInkReplay::c_dMarginPx + 3 * height * scale,
                               CInkReplay::c_dMarginPx + 20 * scale);
        QVERIFY2((second - expected).manhattanLength() < 1e-6,
                 qPrintable(QStringLiteral("%1, %2").arg(second.x()).arg(second.y())));
    }

    void aFileThatCannotBeUsedIsRefused_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << "1:1"
                               << "empty";
        QTest::newRow("not XML") << QByteArray("%PNG not a drawing\n") << "1:2"
                                 << "";
        QTest::newRow("no traces") << ink("<traceGroup/>\n") << "4:1"
                                   << "no traces";
        QTest::newRow("bad number") << ink("<trace>1 2,\n 3 x</trace>\n") << "3:4"
                                    << "no number";
        QTest::newRow("missing trace") << ink("<trace xml:id=\"a\">1 2</trace>\n<traceGroup>"
                                              "<traceView traceDataRef=\"#b\"/></traceGroup>\n")
                                       << "3:13"
                                       << "'#b'";
        QTest::newRow("unknown channel")
            << ink("<traceFormat><channel name=\"X\"/><channel name=\"Y\"/>"
                   "<channel name=\"pressure\"/></traceFormat>\n<trace>1 2 3</trace>\n")
            << "2:52"
            << "'pressure'";
        QTest::newRow("no X channel")
            << ink("<traceFormat><channel name=\"Y\"/></traceFormat>\n<trace>1 2</trace>\n") << "3:1"
            << "no X and Y";
        QTest::newRow("too large") << QByteArray(CInkMLReader::c_iMaxFileBytes + 1, ' ') << "1:1"
                                   << "more than";
    }

    void aFileThatCannotBeUsedIsRefused()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, place);
        QFETCH(QString, reason);
        QTemporaryDir home;
        const QString strPath = write(home, QStringLiteral("lesson.inkml"), data);
        QVERIFY(!strPath.isEmpty());
        const QString strBoard = home.filePath(QStringLiteral("board.png"));
        const SRun run = runWhiteboard(home, {QStringLiteral("--replay"), strPath, QStringLiteral("--out"),
                                              strBoard, QStringLiteral("--json")});
        QCOMPARE(run.iExitCode, 2);
        const QString strErrors = QString::fromUtf8(run.errors);
        const QString strExpected = QStringLiteral("whiteboard: %1:%2: ").arg(strPath, place);
        // Qt may warn about the machine first; the app says one thing, what is wrong.
        const QStringList said =
            strErrors.split(QLatin1Char('\n')).filter(QRegularExpression(QStringLiteral("^whiteboard: ")));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().startsWith(strExpected) && said.first().contains(reason),
                 qPrintable(strErrors));
        QVERIFY2(run.output.isEmpty(), run.output.constData());
        QVERIFY(!QFile::exists(strBoard));
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("replay-board.png"))));
    }

    // The app replays a shipped sample with its own recognizer, one JSON line per word, and saves the
    // board.
    void theAppReplaysASample()
    {
        QTemporaryDir home;
        const QString strBoard = home.filePath(QStringLiteral("board.png"));
        const SRun run = runWhiteboard(home, {QStringLiteral("--replay"), c_strSample,
                                              QStringLiteral("--out"), strBoard, QStringLiteral("--json")});
        QVERIFY2(run.iExitCode == 0, run.errors.constData());
        const QList<QByteArray> lines = run.output.trimmed().split('\n');
        const QStringList truths = {QStringLiteral("Subject"), QStringLiteral("wants"),
                                    QStringLiteral("address"), QStringLiteral("change")};
        QCOMPARE(lines.size(), truths.size());
        for (int i = 0; i < lines.size(); ++i) {
            QJsonParseError error;
            const QJsonObject json = QJsonDocument::fromJson(lines[i], &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, lines[i].constData());
            QCOMPARE(json.value(QStringLiteral("truth")).toString(), truths[i]);
            QVERIFY(!json.value(QStringLiteral("reading")).toString().isEmpty());
            QVERIFY(json.value(QStringLiteral("alternatives")).isArray());
            QCOMPARE(json.value(QStringLiteral("created")), QJsonValue(true));
            QCOMPARE(json.value(QStringLiteral("position")).toArray().size(), 2);
        }
        const QImage board(strBoard);
        QVERIFY(!board.isNull());
        // Text, not a blank page.
        int iDark = 0;
        const QImage grey = board.convertToFormat(QImage::Format_Grayscale8);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x)
                iDark += qGray(grey.pixel(x, y)) < 128 ? 1 : 0;
        QVERIFY(iDark > 1000);
    }

private:
    CPluginLoader& m_loader;
    IPlugin* m_pPlugin = nullptr;
    QTemporaryDir m_dir;
    boost::shared_ptr<CScriptedRecognizer> m_pRecognizer;
    std::unique_ptr<COrreryView> m_pView;
};

// The plug-in's library outlives the application: Qt's font cache, cleared only when the application
// goes, may hold font names whose text lies in the library.
int main(int argc, char** argv)
{
    CPluginLoader loader;
    int iResult = 0;
    {
        QApplication app(argc, argv);
        tst_Replay test(loader);
        iResult = QTest::qExec(&test, argc, argv);
    }
    return iResult;
}

#include "tst_replay.moc"
