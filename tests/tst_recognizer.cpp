// The handwriting recognizer: how ink is laid out and drawn for the engine, how readings are ordered
// by words, how a missing language falls back, that no ink can break it, and that it reads a few
// clear real words.
#include "inklayout.h"
#include "inkmlreader.h"
#include "readingranker.h"
#include "recognitionlanguage.h"
#include "tesseractrecognizer.h"
#include "wordlist.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

namespace {

typedef QVector<QVector<QPointF>> Strokes;

// A stroke like a letter of the given height at x, standing on baseline y.
QVector<QPointF> letter(double dX, double dBaseline, double dHeight)
{
    return {{dX, dBaseline}, {dX + dHeight * 0.3, dBaseline - dHeight}, {dX + dHeight * 0.6, dBaseline}};
}

// Letters of a word, each a stroke, close together.
Strokes word(double dX, double dBaseline, int iLetters, double dHeight = 20.0)
{
    Strokes strokes;
    for (int i = 0; i < iLetters; ++i)
        strokes.append(letter(dX + i * dHeight * 0.7, dBaseline, dHeight));
    return strokes;
}

CWordList smallList()
{
    CWordList words;
    for (const char* szWord : {"the", "then", "them", "West", "cat", "cart", "at", "new", "york"})
        words.add(QString::fromLatin1(szWord));
    return words;
}

QVector<SInkWriting> realWords()
{
    CInkMLReader reader;
    if (!reader.readFile(QStringLiteral(TEST_DATA_DIR "/words.inkml")))
        qFatal("%s", qPrintable(reader.errorString()));
    return reader.writings();
}

} // namespace

class TestRecognizer : public QObject
{
    Q_OBJECT

    // Loading a language's data and word lists takes a while; the reading tests share one.
    std::unique_ptr<CTesseractRecognizer> m_pEnglish;

private slots:
    void initTestCase() { m_pEnglish = std::make_unique<CTesseractRecognizer>(QStringLiteral("en")); }

    void layout_data()
    {
        QTest::addColumn<Strokes>("strokes");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("lines");
        Strokes dotted = word(0, 100, 4);
        dotted.append({{15, 70}});
        Strokes twoWords = word(0, 100, 3) + word(120, 100, 3);
        Strokes twoLines = word(0, 100, 4) + word(5, 160, 3);
        Strokes crossed = {{{0, 100}, {10, 60}, {20, 100}, {40, 95}}, {{-2, 75}, {30, 74}}};
        QTest::newRow("nothing") << Strokes() << int(CInkLayout::eEmpty) << 0;
        QTest::newRow("no usable point")
            << Strokes{{{qQNaN(), 1.0}, {std::numeric_limits<double>::infinity(), 2.0}}}
            << int(CInkLayout::eEmpty) << 0;
        QTest::newRow("one word") << word(0, 100, 5) << int(CInkLayout::eWord) << 1;
        QTest::newRow("dot over a word") << dotted << int(CInkLayout::eWord) << 1;
        QTest::newRow("crossing stroke") << crossed << int(CInkLayout::eWord) << 1;
        QTest::newRow("two words") << twoWords << int(CInkLayout::eLine) << 1;
        QTest::newRow("two lines") << twoLines << int(CInkLayout::eBlock) << 2;
        QTest::newRow("a single point") << Strokes{{{3, 4}}} << int(CInkLayout::eWord) << 1;
    }

    void layout()
    {
        QFETCH(Strokes, strokes);
        QFETCH(int, layout);
        QFETCH(int, lines);
        const CInkLayout inkLayout(strokes);
        QCOMPARE(int(inkLayout.layout()), layout);
        QCOMPARE(inkLayout.lineCount(), lines);
    }

    void linesAreOrderedTopToBottom()
    {
        // Written bottom line first: the reading still starts with the top line.
        const CInkLayout inkLayout(word(0, 200, 3) + word(0, 100, 2));
        QCOMPARE(inkLayout.lines(), (QVector<QVector<int>>{{3, 4}, {0, 1, 2}}));
    }

    void ranking_data()
    {
        QTest::addColumn<QStringList>("candidates");
        QTest::addColumn<int>("max");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("kept");
        QTest::newRow("words first, recognizer order kept")
            << QStringList{"tne", "then", "xqz", "the"} << 5 << QStringList{"then", "the", "tne", "xqz"}
            << QString();
        QTest::newRow("close words of a near miss")
            << QStringList{"caat"} << 5 << QStringList{"cart", "cat", "caat"} << QString();
        QTest::newRow("case follows the ink")
            << QStringList{"WEST", "Yorc"} << 5 << QStringList{"WEST", "York", "Yorc"} << QString();
        QTest::newRow("case variants count once")
            << QStringList{"the", "The", "tHe", " the "} << 5 << QStringList{"the"} << QString();
        QTest::newRow("several words")
            << QStringList{"new yorx", "new york"} << 5 << QStringList{"new york", "new yorx"} << QString();
        QTest::newRow("best reading kept at the end") << QStringList{"qqq", "the", "then", "them"} << 3
                                                      << QStringList{"the", "then", "qqq"} << QString();
        QTest::newRow("engine reading kept")
            << QStringList{"the", "then", "them", "NJ"} << 2 << QStringList{"the", "NJ"} << QString("NJ");
        QTest::newRow("numbers are words")
            << QStringList{"zz", "1984"} << 2 << QStringList{"1984", "zz"} << QString();
        QTest::newRow("nothing") << QStringList{"", "  "} << 5 << QStringList() << QString();
    }

    void ranking()
    {
        QFETCH(QStringList, candidates);
        QFETCH(int, max);
        QFETCH(QStringList, expected);
        QFETCH(QString, kept);
        const CWordList words = smallList();
        QCOMPARE(CReadingRanker(&words).rank(candidates, max, kept), expected);
    }

    void aLanguageThatCannotBeReadFallsBackToEnglish()
    {
        QString strProblem;
        CTesseractRecognizer unknown(QStringLiteral("xx"), &strProblem);
        QVERIFY(unknown.isReady());
        QCOMPARE(unknown.language(), QStringLiteral("en"));
        QVERIFY(strProblem.contains(QLatin1String("\"xx\" is unknown. English is used instead")));
        // Said once: asking for it again changes nothing.
        QCOMPARE(unknown.setLanguage(QStringLiteral("xx"), &strProblem), QStringLiteral("en"));
        QVERIFY(strProblem.isEmpty());

        QTemporaryDir dir;
        const QString strEnglish =
            QDir(CRecognitionLanguages::dataDirectory()).filePath(QStringLiteral("eng.traineddata"));
        QVERIFY(QFile::link(strEnglish, dir.filePath(QStringLiteral("eng.traineddata"))));
        qputenv("TESSDATA_PREFIX", dir.path().toLocal8Bit());
        CTesseractRecognizer recognizer(QStringLiteral("de"), &strProblem);
        QCOMPARE(recognizer.language(), QStringLiteral("en"));
        QVERIFY(strProblem.contains(QLatin1String("Deutsch is not installed")));
        QVERIFY(recognizer.isReady());

        // Without even English it reads nothing, and says so.
        QFile::remove(dir.filePath(QStringLiteral("eng.traineddata")));
        CTesseractRecognizer bare(QStringLiteral("en"), &strProblem);
        qunsetenv("TESSDATA_PREFIX");
        QVERIFY(!bare.isReady());
        QVERIFY(strProblem.contains(QLatin1String("No handwriting can be read")));
        QVERIFY(bare.recognize(word(0, 100, 4)).isEmpty());
    }

    void aSwitchReturnsAtOnceAndEndsWithASignal_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("inUse");
        QTest::addColumn<QString>("problem");
        const QString en = QStringLiteral("en"), de = QStringLiteral("de");
        QTest::newRow("known") << en << de << de << QString();
        QTest::newRow("unknown keeps the one in use")
            << de << QStringLiteral("xx") << de
            << QStringLiteral("The handwriting language \"xx\" is unknown. Deutsch is used instead.");
    }

    void aSwitchReturnsAtOnceAndEndsWithASignal()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, inUse);
        QFETCH(QString, problem);
        CTesseractRecognizer recognizer(from);
        QSignalSpy loading(&recognizer, &CTesseractRecognizer::signalLanguageLoading);
        QSignalSpy loaded(&recognizer, &CTesseractRecognizer::signalLanguageLoaded);
        QVERIFY(recognizer.requestLanguage(to));
        // Back before the load: the language in use reads on meanwhile.
        QVERIFY(recognizer.isLoading());
        QCOMPARE(recognizer.language(), from);
        QCOMPARE(loading.size(), 1);
        QVERIFY(loaded.wait(60000));
        QCOMPARE(loaded.first(), (QVariantList{to, inUse, problem}));
        QCOMPARE(recognizer.language(), inUse);
        QVERIFY(!recognizer.isLoading());
    }

    void writingDuringALoadIsReadInTheNewLanguage()
    {
        const Strokes ink = realWords().first().strokes;
        const QStringList hebrew = CTesseractRecognizer(QStringLiteral("he")).recognize(ink);
        QVERIFY(m_pEnglish->recognize(ink) != hebrew);
        CTesseractRecognizer recognizer(QStringLiteral("en"));
        QSignalSpy loaded(&recognizer, &CTesseractRecognizer::signalLanguageLoaded);
        QVERIFY(recognizer.requestLanguage(QStringLiteral("he")));
        QCOMPARE(recognizer.recognize(ink), hebrew);
        QCOMPARE(loaded.size(), 1);
    }

    void hebrewIsReadWithItsOwnWords()
    {
        CTesseractRecognizer recognizer(QStringLiteral("he"));
        QCOMPARE(recognizer.language(), QStringLiteral("he"));
        QVERIFY(recognizer.words().contains(QStringLiteral("שלום")));
    }

    void badInk_data()
    {
        QTest::addColumn<Strokes>("strokes");
        const double dNaN = qQNaN();
        const double dInfinity = std::numeric_limits<double>::infinity();
        QVector<QPointF> longStroke;
        for (int i = 0; i < 100000; ++i)
            longStroke.append(QPointF(i * 0.01, 50.0 + 20.0 * std::sin(i * 0.01)));
        Strokes many;
        for (int i = 0; i < 5000; ++i)
            many.append(letter((i % 100) * 15.0, (i / 100) * 40.0, 20.0));
        QTest::newRow("no strokes") << Strokes();
        QTest::newRow("empty strokes") << Strokes{{}, {}};
        QTest::newRow("one point") << Strokes{{{5, 5}}};
        QTest::newRow("100,000 points") << Strokes{longStroke};
        QTest::newRow("not numbers") << Strokes{{{dNaN, dNaN}, {1, dNaN}}, {{dInfinity, 3}, {-dInfinity, 4}}};
        QTest::newRow("numbers among not numbers") << Strokes{{{dNaN, 0}, {0, 0}, {10, 20}, {dInfinity, 1}}};
        QTest::newRow("a kilometre wide") << Strokes{{{0, 0}, {5.0e5, 10}, {1.0e6, 0}}};
        QTest::newRow("a pixel high") << Strokes{{{0, 0}, {400, 1}, {800, 0}}};
        QTest::newRow("5,000 strokes") << many;
    }

    void badInk()
    {
        QFETCH(Strokes, strokes);
        const QStringList readings = m_pEnglish->recognize(strokes);
        QVERIFY(readings.size() <= m_pEnglish->maxReadings());
        for (const QString& strReading : readings)
            QVERIFY(!strReading.trimmed().isEmpty());
    }

    void readsClearRealWords()
    {
        for (const SInkWriting& writing : realWords()) {
            const QStringList readings = m_pEnglish->recognize(writing.strokes);
            QVERIFY2(
                readings.contains(writing.strTruth, Qt::CaseInsensitive),
                qPrintable(writing.strTruth + QStringLiteral(" read as ") + readings.join(QLatin1Char('|'))));
        }
    }

    void readsTwoLinesAsTwoLines()
    {
        // Two real words written one under the other.
        const QVector<SInkWriting> writings = realWords();
        const Strokes first = writings[1].strokes;
        Strokes second = writings[2].strokes;
        const CInkLayout firstLayout(first);
        const CInkLayout secondLayout(second);
        const QPointF shift = firstLayout.bounds().bottomLeft() - secondLayout.bounds().topLeft() +
                              QPointF(0, firstLayout.bounds().height() * 0.5);
        for (QVector<QPointF>& stroke : second)
            for (QPointF& point : stroke)
                point += shift;
        const QStringList readings = m_pEnglish->recognize(first + second);
        QVERIFY(!readings.isEmpty());
        QCOMPARE(readings.first().count(QLatin1Char('\n')), 1);
        QVERIFY2(readings.first().startsWith(writings[1].strTruth, Qt::CaseInsensitive),
                 qPrintable(readings.first()));
    }
};

QTEST_MAIN(TestRecognizer)
#include "tst_recognizer.moc"
