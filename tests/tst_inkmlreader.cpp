// The InkML reader: pieces of writing, their truth and resolution, the value encodings of traces, and
// clear errors for files it cannot use.
#include "inkmlreader.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray ink(const QByteArray& body)
{
    return "<ink xmlns=\"http://www.w3.org/2003/InkML\">" + body + "</ink>";
}

} // namespace

class TestInkMLReader : public QObject
{
    Q_OBJECT

private slots:
    void readsWordsWithTruthAndResolution()
    {
        CInkMLReader reader;
        QVERIFY2(reader.readFile(QStringLiteral(TEST_DATA_DIR "/words.inkml")),
                 qPrintable(reader.errorString()));
        QCOMPARE(reader.resolutionX(), 680.0);
        QCOMPARE(reader.resolutionY(), 680.0);
        const QVector<SInkWriting> writings = reader.writings();
        QCOMPARE(writings.size(), 6);
        QCOMPARE(writings.first().strTruth, QStringLiteral("Advertisements"));
        QCOMPARE(writings.first().strId, QStringLiteral("writer-03-w71"));
        for (const SInkWriting& writing : writings) {
            QVERIFY(!writing.strokes.isEmpty());
            QVERIFY(writing.strokeStartMs.isEmpty());
        }
    }

    void traceValues_data()
    {
        QTest::addColumn<QByteArray>("trace");
        QTest::addColumn<QVector<QPointF>>("points");
        QTest::newRow("explicit") << QByteArray("10 20, 11 21.5") << QVector<QPointF>{{10, 20}, {11, 21.5}};
        QTest::newRow("signs run together") << QByteArray("3-4,-1-2") << QVector<QPointF>{{3, -4}, {-1, -2}};
        QTest::newRow("first differences")
            << QByteArray("10 10, '1'2, 1 2") << QVector<QPointF>{{10, 10}, {11, 12}, {12, 14}};
        QTest::newRow("second differences")
            << QByteArray("0 0, '1'1, \"1\"0, 0 0") << QVector<QPointF>{{0, 0}, {1, 1}, {3, 2}, {5, 3}};
        QTest::newRow("repeat") << QByteArray("5 6, * 7") << QVector<QPointF>{{5, 6}, {5, 7}};
        QTest::newRow("exponent") << QByteArray("1e2 2.5E-1") << QVector<QPointF>{{100, 0.25}};
    }

    void traceValues()
    {
        QFETCH(QByteArray, trace);
        QFETCH(QVector<QPointF>, points);
        CInkMLReader reader;
        QVERIFY2(reader.readData(ink("<trace>" + trace + "</trace>"), QStringLiteral("mem")),
                 qPrintable(reader.errorString()));
        QCOMPARE(reader.writings().value(0).strokes.value(0), points);
    }

    void channelsInAnyOrder()
    {
        CInkMLReader reader;
        QVERIFY(reader.readData(ink("<traceFormat><channel name=\"T\" units=\"s\"/><channel name=\"Y\"/>"
                                    "<channel name=\"X\"/></traceFormat><trace>2 5 7, 2.5 6 8</trace>"),
                                QStringLiteral("mem")));
        const SInkWriting writing = reader.writings().value(0);
        QCOMPARE(writing.strokes.value(0), (QVector<QPointF>{{7, 5}, {8, 6}}));
        QCOMPARE(writing.strokeStartMs, QVector<double>{0.0});
    }

    void ungroupedTracesSplitAtPauses()
    {
        const QByteArray body = "<traceFormat><channel name=\"X\"/><channel name=\"Y\"/><channel name=\"T\"/>"
                                "</traceFormat>"
                                "<trace>0 0 0, 1 1 100</trace><trace>2 2 300, 3 3 400</trace>"
                                "<trace>9 9 2000, 9 8 2100</trace>";
        CInkMLReader reader;
        QVERIFY(reader.readData(ink(body), QStringLiteral("mem")));
        const QVector<SInkWriting> pieces = reader.writings(1000.0);
        QCOMPARE(pieces.size(), 2);
        QCOMPARE(pieces[0].strokes.size(), 2);
        QCOMPARE(pieces[1].strokes.size(), 1);
        QCOMPARE(pieces[1].strokeStartMs, QVector<double>{2000.0});
        QCOMPARE(reader.writings(5000.0).size(), 1);

        // Without times there is nothing to split at.
        QVERIFY(reader.readData(ink("<trace>0 0</trace><trace>5 5</trace>"), QStringLiteral("mem")));
        QCOMPARE(reader.writings().size(), 1);
        QCOMPARE(reader.writings().first().strokes.size(), 2);
    }

    // The shapes of the large public collections: segmented formulas with plain ids, and timed points
    // without a declared format. Each piece as "truth/strokes/start of each stroke in ms"; the first
    // point where X and Y put it (time is no coordinate).
    void collectionShapes_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QPointF>("first");
        QTest::newRow("segmentation of symbols")
            << QByteArray("<traceFormat><channel name=\"X\"/><channel name=\"Y\"/></traceFormat>"
                          "<annotation type=\"truth\">$x+1$</annotation><trace id=\"0\">1 1, 3 3</trace>"
                          "<trace id=\"1\">3 1, 1 3</trace><trace id=\"2\">5 2, 7 2</trace>"
                          "<traceGroup xml:id=\"5\"><annotation type=\"truth\">Segmentation</annotation>"
                          "<traceGroup id=\"6\"><annotation type=\"truth\">x</annotation>"
                          "<traceView traceDataRef=\"1\"/><traceView traceDataRef=\"0\"/></traceGroup>"
                          "<traceGroup><annotation type=\"truth\">-</annotation>"
                          "<traceView traceDataRef=\"#2\"/></traceGroup></traceGroup>")
            << QStringList{"x/2/", "-/1/"} << QPointF(3, 1);
        QTest::newRow("timed points split at a pause")
            << QByteArray("<annotation type=\"truth\">a b</annotation><trace>1 2 100, 3 4 116</trace>"
                          "<trace>5 6 300, 7 8 316</trace><trace>9 9 2000, 9 8 2016</trace>")
            << QStringList{"/2/0 200 ", "/1/1900 "} << QPointF(1, 2);
        QTest::newRow("timed points, one piece with the file's truth")
            << QByteArray("<annotation type=\"truth\">\\frac{1}{2}</annotation><trace>1 2 0, 3 4 16</trace>"
                          "<trace>5 6 300</trace>")
            << QStringList{"\\frac{1}{2}/2/0 300 "} << QPointF(1, 2);
        QTest::newRow("traces outside the groups are kept")
            << QByteArray("<trace xml:id=\"a\">1 1, 2 2</trace><trace>5 5, 6 6</trace>"
                          "<traceGroup><annotation type=\"truth\">a</annotation>"
                          "<traceView traceDataRef=\"#a\"/></traceGroup>")
            << QStringList{"a/1/", "/1/"} << QPointF(1, 1);
    }

    void collectionShapes()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, pieces);
        QFETCH(QPointF, first);
        CInkMLReader reader;
        QVERIFY2(reader.readData(ink(body), QStringLiteral("mem")), qPrintable(reader.errorString()));
        const QVector<SInkWriting> writings = reader.writings(1000.0);
        QStringList read;
        for (const SInkWriting& writing : writings) {
            read.append(QStringLiteral("%1/%2/").arg(writing.strTruth).arg(writing.strokes.size()));
            for (double dStartMs : writing.strokeStartMs)
                read.last() += QString::number(dStartMs) + QLatin1Char(' ');
        }
        QCOMPARE(read, pieces);
        QCOMPARE(writings.first().strokes.first().first(), first);
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("empty");
        QTest::newRow("not inkml") << QByteArray("<svg/>") << QStringLiteral("not InkML");
        QTest::newRow("broken xml") << QByteArray("<ink><trace>1 2</ink>") << QStringLiteral("mismatch");
        QTest::newRow("no traces") << ink("<traceGroup/>") << QStringLiteral("no traces");
        QTest::newRow("bad number") << ink("<trace>1 2, 3 x</trace>") << QStringLiteral("no number");
        QTest::newRow("overflowing number") << ink("<trace>1e400 2</trace>") << QStringLiteral("no number");
        QTest::newRow("one value") << ink("<trace>1 2, 3</trace>") << QStringLiteral("1 values");
        QTest::newRow("too many values") << ink("<trace>1 2 3 4</trace>") << QStringLiteral("more values");
        QTest::newRow("more values than declared") << ink("<traceFormat><channel name=\"X\"/><channel "
                                                          "name=\"Y\"/></traceFormat><trace>1 2 3</trace>")
                                                   << QStringLiteral("more values than the 2 channels");
        QTest::newRow("time on some points only")
            << ink("<trace>1 2 3, 4 5</trace>")
            << QStringLiteral("point 2 has 2 values, the points before it 3");
        QTest::newRow("out of range") << ink("<trace>1e13 2</trace>") << QStringLiteral("out of range");
        QTest::newRow("no X channel") << ink("<traceFormat><channel name=\"Y\"/><channel name=\"F\"/>"
                                             "</traceFormat><trace>1 2</trace>")
                                      << QStringLiteral("no X and Y");
        QTest::newRow("unknown trace") << ink("<trace xml:id=\"a\">1 2</trace><traceGroup>"
                                              "<traceView traceDataRef=\"#b\"/></traceGroup>")
                                       << QStringLiteral("'#b'");
        QTest::newRow("empty trace") << ink("<trace xml:id=\"t9\"></trace>")
                                     << QStringLiteral("t9 has no points");
        QTest::newRow("unknown channel") << ink("<traceFormat><channel name=\"X\"/><channel name=\"Y\"/>"
                                                "<channel name=\"Q\"/></traceFormat><trace>1 2 3</trace>")
                                         << QStringLiteral("'Q' is none that InkML knows");
        QTest::newRow("channel twice") << ink("<traceFormat><channel name=\"X\"/><channel name=\"X\"/>"
                                              "</traceFormat><trace>1 2</trace>")
                                       << QStringLiteral("'X' is given twice");
        QTest::newRow("unknown channel type")
            << ink("<traceFormat><channel name=\"X\" type=\"complex\"/><channel name=\"Y\"/></traceFormat>"
                   "<trace>1 2</trace>")
            << QStringLiteral("unknown type 'complex'");
        // The line and column name the character at fault, counted from 1.
        QTest::newRow("bad number on the trace's first line")
            << QByteArray("<ink>\n  <trace>1 2, 3 x</trace></ink>") << QStringLiteral("lesson.inkml:2:17: ");
        QTest::newRow("bad number further down")
            << QByteArray("<ink>\n<trace>1 2,\n 3 4,\n   5 ?</trace></ink>")
            << QStringLiteral("lesson.inkml:4:6: ");
        QTest::newRow("no traces, placed")
            << QByteArray("<ink>\n</ink>") << QStringLiteral("lesson.inkml:2:7: ");
        QTest::newRow("blank") << QByteArray("  \n") << QStringLiteral("lesson.inkml:1:1: ");
        QTest::newRow("bad resolution")
            << ink("<channelProperty channel=\"X\" name=\"resolution\" value=\"-3\"/><trace>1 2</trace>")
            << QStringLiteral("resolution");
    }

    void malformed()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, reason);
        CInkMLReader reader;
        QVERIFY(reader.readData(ink("<trace>1 1</trace>"), QStringLiteral("ok.inkml")));
        QVERIFY(!reader.readData(data, QStringLiteral("lesson.inkml")));
        QVERIFY2(reader.errorString().startsWith(QLatin1String("lesson.inkml:")),
                 qPrintable(reader.errorString()));
        QVERIFY2(reader.errorString().contains(reason), qPrintable(reader.errorString()));
        // Nothing of the failed file, nor of the one before, is offered as writing.
        QCOMPARE(reader.traceCount(), 0);
        QVERIFY(reader.writings().isEmpty());
    }

    void refusesFilesTooLargeOrMissing()
    {
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("huge.inkml"));
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(CInkMLReader::c_iMaxFileBytes + 1));
        file.close();
        CInkMLReader reader;
        QVERIFY(!reader.readFile(strPath));
        QVERIFY2(reader.errorString().startsWith(strPath + QStringLiteral(":1:1: ")),
                 qPrintable(reader.errorString()));
        QVERIFY(!reader.readFile(dir.filePath(QStringLiteral("missing.inkml"))));
        QVERIFY(reader.errorString().contains(QLatin1String("cannot be read")));
    }
};

QTEST_GUILESS_MAIN(TestInkMLReader)
#include "tst_inkmlreader.moc"
