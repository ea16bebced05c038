// The plug-in's images: carried in the library's resource tree under their exact names, present
// while the library is loaded and gone after it is unloaded, with the sizes and pixel formats the
// host and its tools expect.
#include "guilayer.h"
#include "iplugin.h"
#include "pluginloader.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtTest>

namespace {

// Width, height, bit depth and colour type straight from a PNG's header chunk.
struct SPngHeader
{
    quint32 uWidth = 0;
    quint32 uHeight = 0;
    int iBitDepth = -1;
    int iColourType = -1;
};

SPngHeader readPngHeader(const QString& strPath)
{
    SPngHeader header;
    QFile file(strPath);
    if (!file.open(QIODevice::ReadOnly))
        return header;
    const QByteArray bytes = file.read(29);
    if (bytes.size() < 29 || !bytes.startsWith("\x89PNG\r\n\x1a\n") || bytes.mid(12, 4) != "IHDR")
        return header;
    const auto be32 = [&bytes](int i) {
        return quint32(quint8(bytes[i])) << 24 | quint32(quint8(bytes[i + 1])) << 16 |
               quint32(quint8(bytes[i + 2])) << 8 | quint32(quint8(bytes[i + 3]));
    };
    header.uWidth = be32(16);
    header.uHeight = be32(20);
    header.iBitDepth = quint8(bytes[24]);
    header.iColourType = quint8(bytes[25]);
    return header;
}

const int c_iRgb = 2;
const int c_iRgba = 6;

} // namespace

class tst_Resources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        CGUILayer::resetHost();
        const QStringList libraries = CPluginLoader::findLibraries(QStringLiteral(TEXTPEN_PLUGIN_DIR));
        QCOMPARE(libraries.size(), 1);
        m_strLibrary = libraries.first();
        QVERIFY(!QFile::exists(QStringLiteral(":/textpenplugin.text_pen.png")));
        QVERIFY2(m_loader.load(m_strLibrary), qPrintable(m_loader.errorString()));
    }

    void theTreeRootHoldsExactlyTheFourImages()
    {
        const QStringList names = QDir(QStringLiteral(":/")).entryList(QStringList() << "*textpenplugin*");
        QCOMPARE(names, QStringList() << "textpenplugin.text_pen.png"
                                      << "textpenplugin.text_pen_cur_dot.png"
                                      << "textpenplugin.text_pen_cursor.png"
                                      << "veltra.textpenplugin.textcomponent.png");
    }

    void eachImageHasItsSizeAndPixelFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("colourType");
        QTest::newRow("action icon") << "textpenplugin.text_pen.png" << 32 << c_iRgba;
        QTest::newRow("pen cursor") << "textpenplugin.text_pen_cursor.png" << 32 << c_iRgba;
        QTest::newRow("dot cursor") << "textpenplugin.text_pen_cur_dot.png" << 3 << c_iRgb;
        QTest::newRow("text component") << "veltra.textpenplugin.textcomponent.png" << 128 << c_iRgba;
    }
    void eachImageHasItsSizeAndPixelFormat()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(int, colourType);
        const SPngHeader header = readPngHeader(QStringLiteral(":/") + name);
        QCOMPARE(int(header.uWidth), size);
        QCOMPARE(int(header.uHeight), size);
        QCOMPARE(header.iBitDepth, 8);
        QCOMPARE(header.iColourType, colourType);

        const QImage image(QStringLiteral(":/") + name);
        QCOMPARE(image.size(), QSize(size, size));
        QCOMPARE(image.hasAlphaChannel(), colourType == c_iRgba);
        if (image.hasAlphaChannel()) // drawn on a transparent ground, with something drawn
            QVERIFY(image.pixelColor(0, 0).alpha() < 255 || image.pixelColor(size - 1, 0).alpha() < 255);
    }

    void theCursorsOpenByTheirNamesWithoutSuffix_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("size");
        QTest::newRow("pen cursor") << ":/textpenplugin.text_pen_cursor" << QSize(32, 32);
        QTest::newRow("dot cursor") << ":/textpenplugin.text_pen_cur_dot" << QSize(3, 3);
    }
    // An image reader tries the format suffixes itself. (QPixmap would not: it takes the part after
    // the first dot of "textpenplugin.text_pen_cursor" for a suffix and gives up.)
    void theCursorsOpenByTheirNamesWithoutSuffix()
    {
        QFETCH(QString, path);
        QFETCH(QSize, size);
        QImageReader reader(path);
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), size);
    }

    void theTreeIsWithdrawnWhenTheLibraryUnloads()
    {
        CGUILayer::shutdownHost();
        m_loader.unloadAll();
        QVERIFY(!QFile::exists(QStringLiteral(":/textpenplugin.text_pen.png")));
        QVERIFY(QImageReader(QStringLiteral(":/textpenplugin.text_pen_cursor")).read().isNull());
    }

private:
    CPluginLoader m_loader;
    QString m_strLibrary;
};

QTEST_MAIN(tst_Resources)
#include "tst_resources.moc"
