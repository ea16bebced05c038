// Recorded handwriting replayed on the board: each piece is written with the text pen and becomes a
// text box, reported with the readings it was offered; writing over a box overwrites it; the writing
// is laid out at the size of writing on a board; a file that cannot be used is refused with its place
// and leaves nothing behind.
#include "boardhost.h"
#include "boardunits.h"
#include "component.h"
#include "controllayer.h"
#include "inkimport.h"
#include "inkreplay.h"
#include "iplugin.h"
#include "normalpentool.h"
#include "pluginloader.h"
#include "toolmanager.h"
#include "topic.h"

#include <QImageReader>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

namespace {

const QString c_strTextPen = QStringLiteral("textpenplugin.handtext");
const QString c_strSample = QStringLiteral(SAMPLES_DIR "/address-change.inkml");
const QStringList c_sampleTruths = {"Subject", "wants", "address", "change"};
// The same words, grouped as a segmented formula is: plain trace ids, groups inside a segmentation.
const QString c_strSegmented = QStringLiteral(SAMPLES_DIR "/crohme-style.inkml");

QByteArray ink(const QByteArray& body)
{
    return "<ink xmlns=\"http://www.w3.org/2003/InkML\">\n" + body + "</ink>\n";
}

// A word iHeight tall at (iX, iY): a zigzag and a bar.
QByteArray word(int iX, int iY, int iHeight)
{
    return QStringLiteral(
               "<traceGroup><trace>%1 %2, %3 %4, %5 %2</trace><trace>%6 %2, %6 %4</trace></traceGroup>")
        .arg(iX)
        .arg(iY)
        .arg(iX + iHeight)
        .arg(iY + iHeight)
        .arg(iX + 2 * iHeight)
        .arg(iX + 3 * iHeight)
        .toLatin1();
}

// The resolution of both channels, given by the attributes.
QByteArray resolution(const QByteArray& attributes)
{
    QByteArray declared;
    for (const char* szChannel : {"X", "Y"})
        declared += "<channelProperty channel=\"" + QByteArray(szChannel) + "\" name=\"resolution\" " +
                    attributes + "/>";
    return declared;
}

// Where the replay starts the writing, in scene units.
QPointF margin()
{
    return QPointF(CInkReplay::c_dMarginPx, CInkReplay::c_dMarginPx) * boardunits::c_dUnitsPerPixel;
}

QString write(const QTemporaryDir& dir, const QByteArray& data)
{
    QFile file(dir.filePath(QStringLiteral("lesson.inkml")));
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() ? file.fileName() : QString();
}

// The app as a user starts it, without a display and with settings of its own: exit code, output, errors.
std::tuple<int, QByteArray, QString> runWhiteboard(const QTemporaryDir& home, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.path());
    environment.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home.path());
    process.start(QStringLiteral(WHITEBOARD_EXE),
                  QStringList{QStringLiteral("--plugins"), QStringLiteral(TEXTPEN_PLUGIN_DIR)} + arguments);
    const bool bExited = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    return {bExited ? process.exitCode() : -1, process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

class tst_Replay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_pPlugin = m_loader.load(CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR)).value(0));
        QVERIFY2(m_pPlugin, qPrintable(m_loader.errorString()));
    }

    void init()
    {
        m_host.start();
        QVERIFY(m_pPlugin->setUp());
        m_pRecognizer = CBoardHost::useScriptedRecognizer();
        QVERIFY(COrrery::getToolManager()->activate(c_strTextPen));
    }

    void cleanup()
    {
        m_pPlugin->tearDown();
        m_host.stop();
    }

    void eachPieceOfASampleBecomesATextBox()
    {
        const QList<QStringList> readings = {
            {"Subject", "Subjects"}, {"wants"}, {"address", "addresses", "addressed"}, {"change", "charge"}};
        for (const QStringList& reading : readings)
            m_pRecognizer->enqueue(reading);
        CInkReplay replay;
        QVERIFY2(replay.load(c_strSample), qPrintable(replay.errorString()));
        QVector<SReplayedWriting> results;
        QVERIFY2(replay.replay(m_host.view(), results), qPrintable(replay.errorString()));

        QCOMPARE(results.size(), readings.size());
        QCOMPARE(m_host.view()->topic()->componentCount(), readings.size());
        for (int i = 0; i < results.size(); ++i) {
            QCOMPARE(m_pRecognizer->received().value(i).size(), replay.pieces()[i].strokes.size());
            const CComponent* pBox = m_host.view()->topic()->getComponent(results[i].iComponentID);
            QVERIFY(pBox);
            const QPointF position = pBox->getPropertyValue(QStringLiteral("position")).toPointF();
            const QJsonObject expected = {
                {"piece", QStringLiteral("w%1").arg(61 + i)},
                {"reading", readings[i].first()},
                {"alternatives", QJsonArray::fromStringList(readings[i].mid(1))},
                {"truth", c_sampleTruths[i]},
                {"id", pBox->getID()},
                {"position", QJsonArray{position.x(), position.y()}},
                {"fontSize", pBox->getPropertyValue(QStringLiteral("fontsize")).toDouble()},
                {"created", true}};
            QJsonObject json = results[i].toJson();
            QVERIFY(json.take("letterHeight").toDouble() > 0.0 &&
                    json.take("writingHeight").toDouble() > 0.0);
            QCOMPARE(json, expected);
            QCOMPARE(pBox->getPropertyValue(QStringLiteral("string")).toString(), readings[i].first());
        }
        QCOMPARE(results.first().position, margin());
        // The replay leaves the recognizer it found.
        QCOMPARE(COrrery::getRecognizerManager()->getActiveRecognizer(), m_pRecognizer);
    }

    void writingOverABoxOverwritesIt()
    {
        QVERIFY(COrrery::getToolManager()->setToolProperty(c_strTextPen, "overwritetextbox", true, false));
        for (const QStringList& reading : QList<QStringList>{{"cat"}, {"dog", "dig"}, {"owl"}})
            m_pRecognizer->enqueue(reading);
        QTemporaryDir dir;
        CInkReplay replay;
        QVERIFY(replay.load(write(dir, ink(word(0, 0, 40) + word(5, 5, 30) + word(0, 400, 40)))));
        QVector<SReplayedWriting> results;
        QVERIFY(replay.replay(m_host.view(), results));
        QCOMPARE(results.size(), 3);
        QCOMPARE(results[0].toJson().value("created"), QJsonValue(true));
        QCOMPARE(results[1].toJson().value("created"), QJsonValue(false));
        QCOMPARE(results[1].iComponentID, results[0].iComponentID);
        QCOMPARE(results[1].strReading, QStringLiteral("dog"));
        QCOMPARE(results[1].alternatives, QStringList{"dig"});
        QVERIFY(results[2].bCreated && results[2].iComponentID != results[0].iComponentID);
        QCOMPARE(m_host.view()->topic()->componentCount(), 2);
    }

    // One scale for the whole file, from its resolution at 200 px an inch, or from a line (twice the
    // median stroke) 60 px tall; nothing is enlarged. The writing starts at the margin, keeping its layout.
    void layout_data()
    {
        QTest::addColumn<QByteArray>("units");
        QTest::addColumn<int>("height");
        QTest::addColumn<double>("scale");
        QTest::newRow("declared, large enough")
            << QByteArray("value=\"48\" units=\"1/in\"") << 20 << 200 / 48.0;
        QTest::newRow("declared per cm")
            << QByteArray("value=\"18.897637795\" units=\"1/cm\"") << 20 << 200 / 48.0;
        QTest::newRow("declared, small") << QByteArray("value=\"680\" units=\"1/in\"") << 100 << 200 / 680.0;
        QTest::newRow("none declared") << QByteArray() << 100 << 0.3;
        QTest::newRow("none declared, large") << QByteArray() << 10 << 3.0;
    }

    void layout()
    {
        QFETCH(QByteArray, units);
        QFETCH(int, height);
        QFETCH(double, scale);
        const QByteArray declared = units.isEmpty() ? QByteArray() : resolution(units);
        QTemporaryDir dir;
        CInkReplay replay;
        QVERIFY(replay.load(
            write(dir, ink(declared + word(1000, 500, height) + word(1000 + 4 * height, 520, height)))));
        QVERIFY2(qAbs(replay.scaleY() - scale) < 1e-6 && replay.scaleX() == replay.scaleY(),
                 qPrintable(QString::number(replay.scaleY())));
        const QPointF first = replay.pieces().value(0).strokes.value(0).value(0);
        const QPointF second = replay.pieces().value(1).strokes.value(0).value(0);
        QCOMPARE(first, margin());
        QVERIFY((second - first - QPointF(4 * height, 20) * scale * boardunits::c_dUnitsPerPixel)
                    .manhattanLength() < 1e-6);
    }

    // Replayed larger, the writing of a file keeps its proportions, and the letters of its text stand
    // within 30 % of the writing from 25 to 200 px on the screen; smaller writing gets the smallest
    // size, larger the cap. At a zoom the writing keeps its size on the screen, and the text with it.
    void theTextFollowsTheWriting_data()
    {
        QTest::addColumn<double>("factor");
        QTest::addColumn<double>("zoom");
        for (double dFactor : {0.2, 0.75, 1.0, 2.0, 3.0, 12.0})
            QTest::newRow(qPrintable(QString::number(dFactor))) << dFactor << 1.0;
        QTest::newRow("1 at 200 %") << 1.0 << 2.0;
        QTest::newRow("3 at 50 %") << 3.0 << 0.5;
    }
    void theTextFollowsTheWriting()
    {
        QFETCH(double, factor);
        QFETCH(double, zoom);
        m_pRecognizer->setStandingAnswer({"word"});
        CInkReplay plain, replay;
        QVERIFY(replay.setZoom(zoom));
        QVERIFY(plain.load(c_strSample) && replay.setScale(factor) && replay.load(c_strSample));
        QVector<SReplayedWriting> results;
        QVERIFY(replay.replay(m_host.view(), results) && results.size() == c_sampleTruths.size());
        const double dRatio = COrrery::getLPToDPRatio(), dUnits = boardunits::c_dUnitsPerPixel / zoom;
        for (int i = 0; i < results.size(); ++i) {
            const QPolygonF stroke(replay.pieces()[i].strokes.value(0)),
                original(plain.pieces()[i].strokes.value(0));
            QCOMPARE(stroke.boundingRect().size(), original.boundingRect().size() * factor / zoom);
            const double dHeight = results[i].dWritingHeightPx, dSize = results[i].dFontSize;
            QCOMPARE(dSize == 200.0 * 0.7 / dRatio, dHeight * dUnits < 200.0);
            QCOMPARE(dSize == 64 * dRatio, dHeight * dUnits * 0.7 / dRatio > 64 * dRatio);
            if (dHeight >= 25.0 && dHeight <= 200.0)
                QVERIFY2(qAbs(results[i].dLetterHeightPx / dHeight - 1.0) <= 0.3,
                         qPrintable(results[i].toText()));
        }
    }

    // The writing may span a board of up to 100 000 pixels a side, and not a pixel more: at 200 points
    // per inch one point is one pixel.
    void writingLargerThanABoardIsRefused_data()
    {
        QTest::addColumn<QByteArray>("declared");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("kept");
        const QByteArray inch = resolution("value=\"200\" units=\"1/in\"");
        QTest::newRow("small") << inch << 400.0 << 40.0 << true;
        QTest::newRow("as wide as a board may be") << inch << 100000.0 << 40.0 << true;
        QTest::newRow("as tall as a board may be") << inch << 400.0 << 100000.0 << true;
        QTest::newRow("a point wider") << inch << 100000.5 << 40.0 << false;
        QTest::newRow("a point taller") << inch << 400.0 << 100000.5 << false;
        // Laid out, the writing would lie at coordinates that are no numbers.
        QTest::newRow("resolution too small for any board")
            << QByteArray("<channelProperty channel=\"X\" name=\"resolution\" value=\"1e-300\"/>") << 400.0
            << 40.0 << false;
    }

    void writingLargerThanABoardIsRefused()
    {
        QFETCH(QByteArray, declared);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(bool, kept);
        const QByteArray data = ink(declared + "<trace>0 0, 40 40</trace>" +
                                    QStringLiteral("<trace>%1 %2, %3 %4</trace>")
                                        .arg(width - 40, 0, 'f', 1)
                                        .arg(height - 40, 0, 'f', 1)
                                        .arg(width, 0, 'f', 1)
                                        .arg(height, 0, 'f', 1)
                                        .toLatin1());
        CInkReplay replay;
        QCOMPARE(replay.loadData(data, QStringLiteral("lesson.inkml")), kept);
        if (kept) {
            QVERIFY2(replay.errorString().isEmpty(), qPrintable(replay.errorString()));
            const QPointF last = replay.pieces().value(0).strokes.value(1).value(1);
            QCOMPARE(last, QPointF(width, height) * boardunits::c_dUnitsPerPixel + margin());
        } else {
            QVERIFY2(
                replay.errorString().startsWith(QStringLiteral("lesson.inkml:1:1: the writing would be")),
                qPrintable(replay.errorString()));
            QVERIFY(replay.pieces().isEmpty());
        }
    }

    // Imported writing lands in the part of the page in view (a text box may reach beyond, being wider
    // than its writing), as one undo step: as ink in the pen's colour with the Pen, as text boxes with
    // the text pen. A file that cannot be read changes nothing.
    void importPlacesTheWritingInView_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QStringList>("values");
        QTest::newRow("pen") << "pen"
                             << "pencolor" << QStringList(QVector<QString>(4, "normal;#FF00AA00").toList());
        QTest::newRow("text pen") << c_strTextPen << "string" << c_sampleTruths;
    }

    void importPlacesTheWritingInView()
    {
        QFETCH(QString, tool);
        QFETCH(QString, property);
        QFETCH(QStringList, values);
        CToolManager* pTools = COrrery::getToolManager();
        QVERIFY(pTools->registerTool(boost::make_shared<CNormalPenTool>()) && pTools->activate(tool));
        QVERIFY(pTools->setToolProperty("pen", "pencolor", "normal;#FF00AA00", false));
        for (const QString& strText : c_sampleTruths)
            m_pRecognizer->enqueue({strText});
        COrreryView* pView = m_host.view();
        pView->show();
        pView->centerOn(pView->sceneRect().center() + QPointF(3000, 2000));
        const QRectF inView = pView->mapToScene(pView->viewport()->rect()).boundingRect();
        CInkImport import(pView);
        QSignalSpy imported(&import, &CInkImport::signalImported);
        QVERIFY2(import.importFile(c_strSegmented), qPrintable(import.errorString()));
        QCOMPARE(imported.value(0).value(1).toInt(), values.size());
        QStringList read;
        for (CComponent* pComponent : pView->topic()->components()) {
            read.append(pComponent->getPropertyValue(property).toString());
            const QRectF bounds = pComponent->getGraphicsItem()->sceneBoundingRect();
            QVERIFY(inView.contains(bounds.topLeft()) && (property == "string" || inView.contains(bounds)));
        }
        QCOMPARE(read, values);
        QUndoStack* pUndo = CControlLayer::get()->undoStack();
        QCOMPARE(pUndo->undoText(), QStringLiteral("Import handwriting"));
        pUndo->undo();
        QCOMPARE(pView->topic()->componentCount(), 0);

        QTemporaryDir dir;
        const QString strBroken = write(
            dir, ink("<trace id=\"0\">1 2</trace><traceGroup><traceView traceDataRef=\"7\"/></traceGroup>"));
        QVERIFY(!import.importFile(strBroken));
        QVERIFY2(import.errorString().startsWith(strBroken + ":") && import.errorString().contains("'7'"),
                 qPrintable(import.errorString()));
        QCOMPARE(pView->topic()->componentCount() + pUndo->index() + imported.count(), 1);
    }

    // A dot among imported writing stays ink: to the text pen it would be a tap.
    void importKeepsADotAsInk()
    {
        m_pRecognizer->enqueue({"l"});
        m_host.view()->show();
        QTemporaryDir dir;
        CInkImport import(m_host.view());
        QVERIFY(import.importFile(
            write(dir, ink("<traceGroup><trace>0 0, 0 400</trace></traceGroup><traceGroup><trace>90 "
                           "0</trace></traceGroup>"))));
        QCOMPARE(m_host.view()->topic()->componentCount(), 2);
        QCOMPARE(m_host.view()->topic()->components().last()->getType(), QStringLiteral("ink"));
    }

    // A file the reader refuses: the app says what is wrong and where, exits with 2 and writes nothing.
    void theAppRefusesAFileItCannotUse()
    {
        QTemporaryDir home;
        const QString strPath = write(home, ink("<trace>1 2,\n 3 x</trace>\n"));
        const QString strBoard = home.filePath(QStringLiteral("board.png"));
        const auto [iExitCode, output, strErrors] =
            runWhiteboard(home, {"--replay", strPath, "--out", strBoard, "--json"});
        QCOMPARE(iExitCode, 2);
        // Qt may warn about the machine first; the app says one thing.
        const QStringList said = strErrors.split('\n').filter(QRegularExpression("^whiteboard: "));
        QCOMPARE(said.size(), 1);
        QVERIFY2(said.first().startsWith("whiteboard: " + strPath + ":3:4: ") &&
                     said.first().contains("no number"),
                 qPrintable(strErrors));
        QVERIFY2(output.isEmpty(), output.constData());
        QVERIFY(!QFile::exists(strBoard));
    }

    // With its own recognizer the app reports one JSON line per word and saves the board, as a picture
    // and as a board file, which opened again holds the same text boxes.
    void theAppReplaysASample()
    {
        QTemporaryDir home;
        const QString strBoard = home.filePath(QStringLiteral("board.png"));
        const QString strBoardFile = home.filePath(QStringLiteral("lesson.board"));
        const auto [iExitCode, output, strErrors] = runWhiteboard(
            home, {"--replay", c_strSample, "--out", strBoard, "--json", "--save", strBoardFile});
        QVERIFY2(iExitCode == 0, qPrintable(strErrors));
        const QList<QByteArray> lines = output.trimmed().split('\n');
        QCOMPARE(lines.size(), c_sampleTruths.size());
        for (int i = 0; i < lines.size(); ++i) {
            const QJsonObject json = QJsonDocument::fromJson(lines[i]).object();
            QCOMPARE(json.value("truth").toString(), c_sampleTruths[i]);
            QVERIFY2(!json.value("reading").toString().isEmpty() && json.value("alternatives").isArray() &&
                         json.value("created").toBool() && json.value("position").toArray().size() == 2,
                     lines[i].constData());
        }
        QCOMPARE(QImageReader(strBoard).format(), QByteArray("png"));

        QFile::remove(strBoard);
        const auto [iOpened, opened, strOpenErrors] =
            runWhiteboard(home, {"--open", strBoardFile, "--json", "--out", strBoard});
        QVERIFY2(iOpened == 0, qPrintable(strOpenErrors));
        const QList<QByteArray> boxes = opened.trimmed().split('\n');
        QCOMPARE(boxes.size(), lines.size());
        for (int i = 0; i < boxes.size(); ++i) {
            const QJsonObject replayed = QJsonDocument::fromJson(lines[i]).object();
            const QJsonObject box = QJsonDocument::fromJson(boxes[i]).object();
            QCOMPARE(box.value("text"), replayed.value("reading"));
            QCOMPARE(box.value("position"), replayed.value("position"));
            QCOMPARE(box.value("fontSize"), replayed.value("fontSize"));
        }
        QCOMPARE(QImageReader(strBoard).format(), QByteArray("png"));

        // A damaged board file is refused by name, with the exit code of a file that cannot be used.
        QFile damaged(strBoardFile);
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("PK\3\4 no board") > 0);
        damaged.close();
        const auto [iRefused, none, strRefusal] = runWhiteboard(home, {"--open", strBoardFile});
        QCOMPARE(iRefused, 2);
        QVERIFY2(strRefusal.contains("whiteboard: " + strBoardFile + ": ") && none.isEmpty(),
                 qPrintable(strRefusal));
    }

private:
    CPluginLoader m_loader;
    IPlugin* m_pPlugin = nullptr;
    CBoardHost m_host;
    CScriptedRecognizer* m_pRecognizer = nullptr;
};

QTEST_MAIN(tst_Replay)
#include "tst_replay.moc"
