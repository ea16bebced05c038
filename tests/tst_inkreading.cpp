// Reading handwriting with the trained model: ink prepared exactly as the training prepared it, the
// model file and what is said when it cannot be used, the search that spells the model's readings
// with a word list, and real words and lines read end to end.
#include "handwritingrecognizer.h"
#include "inkfeatures.h"
#include "inklayout.h"
#include "inkmlreader.h"
#include "inkmodel.h"
#include "lexicondecoder.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

typedef QVector<QVector<QPointF>> Strokes;
// Each place of a writing: the characters the model saw there, with their probabilities; a null
// character is "nothing new".
typedef QVector<QVector<QPair<QChar, float>>> Places;

const QString c_strAlphabet =
    QStringLiteral(" '.0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzéè");

// One step for each place, then a step of "nothing new", as a model gives them.
CLexiconDecoder::SMatrix steps(const Places& places)
{
    CLexiconDecoder::SMatrix matrix;
    matrix.iColumns = c_strAlphabet.size() + 1;
    auto addStep = [&](const QVector<QPair<QChar, float>>& choices, float fBlank) {
        std::vector<float> row(size_t(matrix.iColumns), 1.0e-6f);
        row[0] = fBlank;
        for (const auto& choice : choices)
            row[size_t(c_strAlphabet.indexOf(choice.first) + 1)] = choice.second;
        for (float fValue : row)
            matrix.logs.push_back(std::log(fValue));
        ++matrix.iSteps;
    };
    for (const auto& place : places) {
        addStep(place, 1.0e-3f);
        addStep({}, 0.999f);
    }
    return matrix;
}

// A clear writing of strText, one sure character a place.
Places clear(const QString& strText)
{
    Places places;
    for (const QChar c : strText)
        places.append({{c, 0.99f}});
    return places;
}

QVector<SInkWriting> realWords()
{
    CInkMLReader reader;
    if (!reader.readFile(QStringLiteral(TEST_DATA_DIR "/words.inkml")))
        qFatal("%s", qPrintable(reader.errorString()));
    return reader.writings();
}

Strokes shifted(Strokes strokes, const QPointF& by)
{
    for (QVector<QPointF>& stroke : strokes)
        for (QPointF& point : stroke)
            point += by;
    return strokes;
}

} // namespace

class TestInkReading : public QObject
{
    Q_OBJECT

    std::unique_ptr<CHandwritingRecognizer> m_pEnglish;

private slots:
    void initTestCase()
    {
        m_pEnglish = std::make_unique<CHandwritingRecognizer>();
        QString strProblem;
        QCOMPARE(m_pEnglish->setLanguage(QStringLiteral("en"), &strProblem), QStringLiteral("en"));
        QVERIFY2(m_pEnglish->readsWithModel(), qPrintable(strProblem));
    }

    void inkIsPreparedAsTheTrainingPreparedIt()
    {
        QFile file(QStringLiteral(TEST_DATA_DIR "/words-features.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QVector<SInkWriting> writings = realWords();
        for (const SInkWriting& writing : writings) {
            const QStringList fields = QString::fromUtf8(file.readLine()).split(QLatin1Char(' '));
            QCOMPARE(fields.first(), writing.strTruth);
            const std::vector<float> features = CInkFeatures::compute(writing.strokes);
            QCOMPARE(int(features.size()), fields.size() - 1);
            for (size_t i = 0; i < features.size(); ++i)
                QVERIFY2(std::fabs(features[i] - fields[int(i) + 1].toFloat()) < 2.0e-3f,
                         qPrintable(QStringLiteral("%1 value %2").arg(writing.strTruth).arg(i)));
        }
    }

    void modelFiles_data()
    {
        QTest::addColumn<QString>("onnx");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("problem");
        const QString strOwn = QStringLiteral("own");
        QFile own(QFileInfo(CInkModel::defaultPath()).dir().filePath(QStringLiteral("latin-reader.json")));
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QString strDescription = QString::fromUtf8(own.readAll());
        QTest::newRow("the board's own") << strOwn << strDescription << QString();
        QTest::newRow("missing") << QString() << strDescription << QStringLiteral("is missing.");
        QTest::newRow("no description") << strOwn << QString() << QStringLiteral("description");
        QTest::newRow("damaged") << QStringLiteral("not a network") << strDescription
                                 << QStringLiteral("is damaged.");
        QTest::newRow("truncated") << QStringLiteral("half") << strDescription
                                   << QStringLiteral("is damaged.");
        QTest::newRow("another format")
            << strOwn << QString(strDescription).replace("\"format\": 1", "\"format\": 2")
            << QStringLiteral("another version");
        QTest::newRow("another alphabet") << strOwn << QStringLiteral(R"({"format": 1, "alphabet": "abc",
            "features": 4, "step": 0.25})")
                                          << QStringLiteral("another version");
    }

    void modelFiles()
    {
        QFETCH(QString, onnx);
        QFETCH(QString, description);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("latin-reader.onnx"));
        QFile own(CInkModel::defaultPath());
        QVERIFY(own.open(QIODevice::ReadOnly));
        const QByteArray network = own.readAll();
        QFile model(strPath);
        if (!onnx.isEmpty()) {
            QVERIFY(model.open(QIODevice::WriteOnly));
            model.write(onnx == QLatin1String("own")    ? network
                        : onnx == QLatin1String("half") ? network.left(network.size() / 2)
                                                        : onnx.toUtf8());
            model.close();
        }
        if (!description.isEmpty()) {
            QFile about(dir.filePath(QStringLiteral("latin-reader.json")));
            QVERIFY(about.open(QIODevice::WriteOnly));
            about.write(description.toUtf8());
        }
        QString strProblem;
        const std::shared_ptr<CInkModel> pModel = CInkModel::load(strPath, &strProblem);
        QCOMPARE(pModel != nullptr, problem.isEmpty());
        QVERIFY2(problem.isEmpty() ? strProblem.isEmpty() : strProblem.contains(problem),
                 qPrintable(strProblem));
        if (!pModel) {
            // The board reads on with the printed-text engine, and says so once.
            CHandwritingRecognizer recognizer(strPath);
            QSignalSpy loaded(&recognizer, &CHandwritingRecognizer::signalLanguageLoaded);
            QCOMPARE(recognizer.setLanguage(QStringLiteral("en")), QStringLiteral("en"));
            QVERIFY(!recognizer.readsWithModel());
            QCOMPARE(loaded.size(), 1);
            QVERIFY(loaded.first().at(2).toString().contains(problem));
            QVERIFY(loaded.first().at(2).toString().contains(QLatin1String("printed-text engine")));
            QCOMPARE(recognizer.setLanguage(QStringLiteral("de")), QStringLiteral("de"));
            QCOMPARE(loaded.last().at(2).toString(), QString());
            QVERIFY(!recognizer.recognize(realWords().first().strokes).isEmpty());
        }
    }

    void lineSearch_data()
    {
        QTest::addColumn<Places>("places");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("reading");
        const QStringList words{QStringLiteral("the"), QStringLiteral("apple"), QStringLiteral("usa"),
                                QStringLiteral("to"),  QStringLiteral("be"),    QStringLiteral("end"),
                                QStringLiteral("été"), QStringLiteral("don't"), QStringLiteral("Paris")};
        Places unsure = clear(QStringLiteral("th"));
        unsure.append({{QLatin1Char('a'), 0.6f}, {QLatin1Char('e'), 0.4f}});
        Places mixed = clear(QStringLiteral("a"));
        mixed.append({{QLatin1Char('P'), 0.55f}, {QLatin1Char('p'), 0.45f}});
        mixed += clear(QStringLiteral("ple"));
        Places name = clear(QStringLiteral("aris"));
        name.prepend({{QLatin1Char('p'), 0.6f}, {QLatin1Char('P'), 0.4f}});
        Places apart = clear(QStringLiteral("qx"));
        apart.append({{QLatin1Char(' '), 0.97f}, {QChar(), 0.03f}});
        apart += clear(QStringLiteral("zv"));
        QTest::newRow("the list settles a close call") << unsure << words << QStringLiteral("the");
        QTest::newRow("words outside the list stay apart") << apart << words << QStringLiteral("qx zv");
        QTest::newRow("a name keeps its capital") << name << words << QStringLiteral("Paris");
        QTest::newRow("clear ink outside the list")
            << clear(QStringLiteral("Qxz")) << words << QStringLiteral("Qxz");
        QTest::newRow("a capital as written")
            << clear(QStringLiteral("Apple")) << words << QStringLiteral("Apple");
        QTest::newRow("capitals as written")
            << clear(QStringLiteral("USA")) << words << QStringLiteral("USA");
        QTest::newRow("no case a writer means") << mixed << words << QStringLiteral("apple");
        QTest::newRow("two words") << clear(QStringLiteral("to be")) << words << QStringLiteral("to be");
        QTest::newRow("digits as written")
            << clear(QStringLiteral("to 42")) << words << QStringLiteral("to 42");
        QTest::newRow("punctuation as written")
            << clear(QStringLiteral("end.")) << words << QStringLiteral("end.");
        QTest::newRow("an apostrophe of the list")
            << clear(QStringLiteral("don't")) << words << QStringLiteral("don't");
        QTest::newRow("accents the list has")
            << clear(QStringLiteral("ete")) << words << QStringLiteral("été");
        QTest::newRow("a word the list lacks beside one it has")
            << clear(QStringLiteral("the Zorg")) << words << QStringLiteral("the Zorg");
    }

    void lineSearch()
    {
        QFETCH(Places, places);
        QFETCH(QStringList, words);
        QFETCH(QString, reading);
        CLexiconDecoder decoder;
        // Words written with a capital are names.
        for (const QString& strWord : words)
            decoder.addWord(strWord, 0.0, strWord.at(0).isUpper());
        const auto readings =
            decoder.decodeLine(steps(places), c_strAlphabet, CLexiconDecoder::SLineOptions());
        QVERIFY(!readings.isEmpty());
        QCOMPARE(readings.first().strText, reading);
    }

    void alternativesAreDistinct()
    {
        CLexiconDecoder decoder;
        decoder.addWord(QStringLiteral("cat"), 0.0);
        Places places;
        for (const QString& strPlace :
             {QStringLiteral("cea"), QStringLiteral("auo"), QStringLiteral("tlf")}) {
            places.append(QVector<QPair<QChar, float>>());
            for (const QChar c : strPlace)
                places.last().append({c, 0.33f});
        }
        places[0].append({QLatin1Char('C'), 0.01f});
        const auto readings =
            decoder.decodeLine(steps(places), c_strAlphabet, CLexiconDecoder::SLineOptions());
        QVERIFY(readings.size() >= 5);
        QCOMPARE(readings.first().strText, QStringLiteral("cat"));
        QStringList seen;
        for (const auto& reading : readings) {
            QVERIFY2(!seen.contains(reading.strText, Qt::CaseInsensitive), qPrintable(reading.strText));
            seen.append(reading.strText);
        }
    }

    void readsRealWords()
    {
        int iRight = 0;
        QStringList wrong;
        const QVector<SInkWriting> writings = realWords();
        for (const SInkWriting& writing : writings) {
            const QStringList readings = m_pEnglish->recognize(writing.strokes);
            QVERIFY(readings.size() >= 5);
            if (readings.first() == writing.strTruth)
                ++iRight;
            else
                wrong.append(writing.strTruth + QStringLiteral(" as ") + readings.join(QLatin1Char('|')));
        }
        QVERIFY2(iRight >= writings.size() * 3 / 4, qPrintable(wrong.join(QStringLiteral(", "))));
    }

    void readsWordsOfALineAndLinesOfABlock()
    {
        const QVector<SInkWriting> writings = realWords();
        const Strokes first = writings[1].strokes;
        const QRectF bounds = CInkLayout(first).bounds();
        const QRectF second = CInkLayout(writings[2].strokes).bounds();
        const Strokes beside =
            shifted(writings[2].strokes, QPointF(bounds.right() + bounds.height() - second.left(),
                                                 bounds.bottom() - second.bottom()));
        const Strokes below =
            shifted(writings[2].strokes, QPointF(bounds.left() - second.left(),
                                                 bounds.bottom() + bounds.height() * 0.5 - second.top()));
        const QString strTruth = writings[1].strTruth + QStringLiteral("%1") + writings[2].strTruth;
        // Case is readsRealWords()'s matter; here the words and what stands between them.
        QCOMPARE(m_pEnglish->recognize(first + beside).first().toLower(),
                 strTruth.arg(QLatin1Char(' ')).toLower());
        QCOMPARE(m_pEnglish->recognize(first + below).first().toLower(),
                 strTruth.arg(QLatin1Char('\n')).toLower());
    }

    void badInkReadsAsLittleOrNothing_data()
    {
        QTest::addColumn<Strokes>("strokes");
        const double dNaN = qQNaN();
        QVector<QPointF> zigzag;
        for (int i = 0; i < 100000; ++i)
            zigzag.append(QPointF(i * 0.01, 50.0 + 20.0 * std::sin(i * 0.5)));
        Strokes grid;
        for (int i = 0; i < 3000; ++i)
            grid.append(
                {{(i % 100) * 15.0, (i / 100) * 40.0}, {(i % 100) * 15.0 + 6, (i / 100) * 40.0 - 20}});
        QTest::newRow("nothing") << Strokes();
        QTest::newRow("empty strokes") << Strokes{{}, {}};
        QTest::newRow("one point") << Strokes{{{5, 5}}};
        QTest::newRow("one point many times") << Strokes{QVector<QPointF>(500, QPointF(3, 3))};
        QTest::newRow("not numbers") << Strokes{{{dNaN, dNaN}, {1, dNaN}}, {{qInf(), 3}, {-qInf(), 4}}};
        QTest::newRow("a kilometre wide") << Strokes{{{0, 0}, {5.0e5, 10}, {1.0e6, 0}}};
        QTest::newRow("100,000 points") << Strokes{zigzag};
        QTest::newRow("3,000 strokes") << grid;
    }

    void badInkReadsAsLittleOrNothing()
    {
        QFETCH(Strokes, strokes);
        const QStringList readings = m_pEnglish->recognize(strokes);
        QVERIFY(readings.size() <= m_pEnglish->maxReadings());
        for (const QString& strReading : readings)
            QVERIFY(!strReading.trimmed().isEmpty());
    }

    void readingAheadGivesTheSameReadings()
    {
        const Strokes ink = realWords().at(3).strokes;
        const QStringList direct = m_pEnglish->recognize(ink);
        QVERIFY(!m_pEnglish->lastTimings().bReadAhead);
        m_pEnglish->readAhead(ink);
        QCOMPARE(m_pEnglish->recognize(ink), direct);
        QVERIFY(m_pEnglish->lastTimings().bReadAhead);
        // Another stroke came: what was read ahead is dropped and the writing read anew.
        m_pEnglish->readAhead(ink);
        m_pEnglish->dropReadAhead();
        QCOMPARE(m_pEnglish->recognize(ink), direct);
        QVERIFY(!m_pEnglish->lastTimings().bReadAhead);
        // Writing that differs from what was read ahead is read anew too.
        m_pEnglish->readAhead(ink.mid(1));
        QCOMPARE(m_pEnglish->recognize(ink), direct);
        QVERIFY(!m_pEnglish->lastTimings().bReadAhead);
    }
};

QTEST_MAIN(TestInkReading)
#include "tst_inkreading.moc"
