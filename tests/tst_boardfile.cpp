// The board file: a board made with the real tools comes back whole, hostile or broken files are
// refused with a reason and leave the open board alone, and a failed save leaves the old file as it was.
#include "apphost.h"
#include "boardfile.h"
#include "component.h"
#include "controllayer.h"
#include "inkmlreader.h"
#include "normalpentool.h"
#include "selecttool.h"
#include "texttool.h"
#include "topic.h"

#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextCursor>
#include <QTextDocument>
#include <boost/make_shared.hpp>
#include <csignal>
#include <functional>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <thread>
#include <zip.h>

namespace {

using SEntries = QVector<QPair<QString, QByteArray>>;
using SProperties = QVector<QPair<QString, QVariant>>;

QByteArray zipOf(const SEntries& entries, bool bStore = false)
{
    zip_source_t* pBuffer = zip_source_buffer_create(nullptr, 0, 0, nullptr);
    zip_source_keep(pBuffer);
    zip_t* pArchive = zip_open_from_source(pBuffer, ZIP_TRUNCATE, nullptr);
    for (const auto& entry : entries) {
        const zip_int64_t i =
            zip_file_add(pArchive, entry.first.toUtf8().constData(),
                         zip_source_buffer(pArchive, entry.second.constData(), entry.second.size(), 0), 0);
        zip_set_file_compression(pArchive, i, bStore ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    zip_close(pArchive);
    zip_source_open(pBuffer);
    zip_source_seek(pBuffer, 0, SEEK_END);
    QByteArray bytes(int(zip_source_tell(pBuffer)), '\0');
    zip_source_seek(pBuffer, 0, SEEK_SET);
    zip_source_read(pBuffer, bytes.data(), bytes.size());
    zip_source_close(pBuffer);
    zip_source_free(pBuffer);
    return bytes;
}

QByteArray entryOf(const QByteArray& file, const char* szName)
{
    zip_source_t* pSource = zip_source_buffer_create(file.constData(), file.size(), 0, nullptr);
    zip_t* pArchive = zip_open_from_source(pSource, ZIP_RDONLY, nullptr);
    zip_stat_t stat;
    QByteArray bytes;
    if (pArchive && zip_stat(pArchive, szName, 0, &stat) == 0) {
        bytes.resize(int(stat.size));
        zip_file_t* pFile = zip_fopen(pArchive, szName, 0);
        zip_fread(pFile, bytes.data(), stat.size);
        zip_fclose(pFile);
    }
    pArchive ? zip_discard(pArchive) : zip_source_free(pSource);
    return bytes;
}

// A board file with this board.xml body (and the entries given) in place of a real one.
QByteArray boardWith(const QByteArray& body, const SEntries& more = {}, int iVersion = 1)
{
    const QByteArray xml = "<board version=\"" + QByteArray::number(iVersion) +
                           "\"><page><component type=\"ink\">" + body + "</component></page></board>";
    return zipOf(SEntries{{"mimetype", "application/x-whiteboard-board"}, {"board.xml", xml}} + more, true);
}

// Every local and central header of the entry claims this uncompressed size.
QByteArray withDeclaredSize(QByteArray file, const QByteArray& name, quint32 iSize)
{
    for (const auto& [header, iNameAt, iSizeAt] :
         {std::make_tuple(QByteArray("PK\3\4"), 30, 22), std::make_tuple(QByteArray("PK\1\2"), 46, 24)})
        for (int i = file.indexOf(header); i >= 0; i = file.indexOf(header, i + 4))
            if (file.mid(i + iNameAt, name.size()) == name)
                qToLittleEndian(iSize, file.data() + i + iSizeAt);
    return file;
}

QString write(const QTemporaryDir& dir, const QByteArray& bytes)
{
    QFile file(dir.filePath(QStringLiteral("in.board")));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
}

QByteArray contents(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// What the user sees of a text box: its letters' format where the text starts.
QString formatOf(CComponent* pComponent)
{
    auto* pItem = dynamic_cast<QGraphicsTextItem*>(pComponent->getGraphicsItem());
    if (!pItem)
        return QString();
    QTextCursor cursor(pItem->document());
    cursor.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat format = cursor.charFormat();
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(format.font().family())
        .arg(format.fontPointSize())
        .arg(format.fontWeight())
        .arg(format.fontItalic())
        .arg(format.fontUnderline())
        .arg(format.foreground().color().name(QColor::HexArgb));
}

// Where anything is drawn on the page: the rectangle around all pixels that are not white.
QRect drawnArea(const std::function<void(QPainter*)>& draw)
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    draw(&painter);
    painter.end();
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class tst_BoardFile : public QObject
{
    Q_OBJECT

    CPluginLoader m_loader;
    CAppHost m_app{m_loader};
    QTemporaryDir m_dir;

    static CToolManager* tools() { return COrrery::getToolManager(); }
    void drag(const QPoint& from, const QPoint& to)
    {
        drawStroke(m_app.window()->board()->viewport(), {from, (from + to) / 2, to});
    }

private slots:
    void init()
    {
        m_app.start({boost::make_shared<CSelectTool>(), boost::make_shared<CNormalPenTool>(),
                     boost::make_shared<CTextTool>()});
    }
    void cleanup() { m_app.stop(); }

    void aBoardMadeWithTheToolsComesBackWhole()
    {
        CWorkspace* pBoard = COrrery::getWorkspace();
        QWidget* pViewport = m_app.window()->board()->viewport();
        m_app.recognizer()->setStandingAnswer({QStringLiteral("hello")});
        for (int iPage = 0; iPage < 2; ++iPage) {
            if (iPage > 0) {
                pBoard->setCurrentTopic(pBoard->addTopic());
                m_app.window()->board()->showTopic(pBoard->getCurrentTopic());
            }
            QVERIFY(tools()->activate(QStringLiteral("textpenplugin.handtext")));
            QVERIFY(m_app.penInput(QRect(60, 300 + 40 * iPage, 160, 50)));
            QVERIFY(tools()->activate(QStringLiteral("pen")));
            drawStroke(pViewport, {{100, 100}, {200, 103 + iPage}, {300, 100}});
            QVERIFY(tools()->activate(QStringLiteral("text")));
            QTest::mouseClick(pViewport, Qt::LeftButton, Qt::NoModifier, QPoint(400, 450));
            QTest::keyClicks(m_app.window()->board(), QStringLiteral("Typed\t%1").arg(iPage));
            QVERIFY(tools()->activate(QStringLiteral("select")));
            drag({200, 102}, {260, 202});
        }
        QImage image(7, 5, QImage::Format_ARGB32);
        image.fill(QColor(10, 20, 30, 40));
        const auto pPicture = CComponent::create(QStringLiteral("picture"));
        pPicture->setPropertyValue(QStringLiteral("image"), image);
        pPicture->setPropertyValue(QStringLiteral("position"), QPointF(5, 6));
        QVERIFY(CControlLayer::get()->invokeInsertCommand(pPicture, -1, 0));

        const QString strFirst = m_dir.filePath(QStringLiteral("first.board"));
        const QString strSecond = m_dir.filePath(QStringLiteral("second.board"));
        QString strError;
        QVERIFY2(CBoardFile::save(*pBoard, strFirst, &strError), qPrintable(strError));
        CWorkspace opened;
        QVERIFY2(CBoardFile::open(strFirst, &opened, &strError), qPrintable(strError));
        QCOMPARE(opened.topicCount(), 2);
        QCOMPARE(opened.indexOf(opened.getCurrentTopic()), 1);
        QStringList types;
        for (int iPage = 0; iPage < 2; ++iPage) {
            const QList<CComponent*> before = pBoard->topicAt(iPage)->components();
            const QList<CComponent*> after = opened.topicAt(iPage)->components();
            QCOMPARE(after.size(), before.size());
            for (int i = 0; i < after.size(); ++i) {
                types.append(after.at(i)->getType());
                QCOMPARE(after.at(i)->getType(), before.at(i)->getType());
                QCOMPARE(after.at(i)->getPropertyNames(), before.at(i)->getPropertyNames());
                for (const QString& strName : before.at(i)->getPropertyNames()) {
                    const QVariant value = after.at(i)->getPropertyValue(strName);
                    QCOMPARE(value, before.at(i)->getPropertyValue(strName));
                    QCOMPARE(value.userType(), before.at(i)->getPropertyValue(strName).userType());
                }
                QCOMPARE(formatOf(after.at(i)), formatOf(before.at(i)));
                QVERIFY(i == 0 || after.at(i)->getGraphicsItem()->zValue() >
                                      after.at(i - 1)->getGraphicsItem()->zValue());
            }
        }
        QCOMPARE(types, QStringList({"text", "ink", "text", "picture", "text", "ink", "text"}));
        QCOMPARE(opened.topicAt(1)->components().last()->getPropertyValue("string"), QVariant("Typed\t1"));
        QVERIFY2(CBoardFile::save(opened, strSecond, &strError), qPrintable(strError));
        // The copy taken on the GUI thread is encoded on another, as a background save does it.
        const CBoardFile::SBoard copy = CBoardFile::snapshot(*pBoard, false);
        QByteArray encoded;
        std::thread([&copy, &encoded] { encoded = CBoardFile::encode(copy); }).join();
        QCOMPARE(entryOf(encoded, "board.xml"), entryOf(contents(strFirst), "board.xml"));
        QVERIFY(entryOf(encoded, "pages/page-1.svg").isEmpty());
        QCOMPARE(entryOf(contents(strSecond), "board.xml"), entryOf(contents(strFirst), "board.xml"));
        // The ink of each page reads as InkML, a trace a stroke.
        CInkMLReader inkml;
        QVERIFY2(inkml.readData(entryOf(contents(strFirst), "pages/page-2.inkml"), "page-2"),
                 qPrintable(inkml.errorString()));
        QCOMPARE(inkml.traceCount(), 1);
        QVERIFY(entryOf(contents(strFirst), "pages/page-1.svg").contains("<svg"));
    }

    void aBoxTakenInAtOnceMatchesOneByOne_data()
    {
        QTest::addColumn<SProperties>("properties");
        const QPair<QString, QVariant> text{"string", "Two lines\nof text"};
        QTest::newRow("text alone") << SProperties{text};
        QTest::newRow("text before its font")
            << SProperties{text, {"fontsize", 30.0}, {"bold", true}, {"italic", true}};
        QTest::newRow("centred, framed, font last") << SProperties{{"alignment", 4u},
                                                                   text,
                                                                   {"pencolor", "normal;#FF0000FF"},
                                                                   {"linewidth", 40.0},
                                                                   {"fontfamily", "DejaVu Serif"},
                                                                   {"fontsize", 24.0},
                                                                   {"underline", true}};
        QTest::newRow("right, then its text twice") << SProperties{{"position", QPointF(30, 40)},
                                                                   {"alignment", 2u},
                                                                   {"string", "x"},
                                                                   text,
                                                                   {"fontcolor", QColor(Qt::red)}};
    }

    void aBoxTakenInAtOnceMatchesOneByOne()
    {
        QFETCH(SProperties, properties);
        const auto pOneByOne = CComponent::create(QStringLiteral("text"));
        for (const auto& property : properties)
            pOneByOne->setPropertyValue(property.first, property.second);
        const auto pAtOnce = CComponent::create(QStringLiteral("text"));
        QVERIFY(pAtOnce->setPropertyValues(properties));
        QCOMPARE(pAtOnce->getPropertyNames(), pOneByOne->getPropertyNames());
        QGraphicsItem* pItem = pAtOnce->getGraphicsItem();
        QCOMPARE(pItem->boundingRect(), pOneByOne->getGraphicsItem()->boundingRect());
        QCOMPARE(pItem->pos(), pOneByOne->getGraphicsItem()->pos());
        const auto* pDocument = static_cast<QGraphicsTextItem*>(pItem)->document();
        QCOMPARE(pDocument->toHtml(),
                 static_cast<QGraphicsTextItem*>(pOneByOne->getGraphicsItem())->document()->toHtml());
        QCOMPARE(formatOf(pAtOnce.get()), formatOf(pOneByOne.get()));
    }

    void aPageAsSvgLooksLikeThePage_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<SProperties>("properties");
        QVariantList points;
        for (int i = 0; i < 50; ++i)
            points.append(QPointF(300.0 + 97.0 * i, 5000.0 + 50.0 * (i % 7)));
        QTest::newRow("ink") << "ink"
                             << SProperties{{"strokes", QVariantList{QVariant(points)}},
                                            {"position", QPointF(2000, 1000)},
                                            {"linewidth", 60.0}};
        const SProperties box{{"position", QPointF(3000, 4000)},
                              {"fontsize", 28.0},
                              {"fillcolor", QColor(Qt::yellow)},
                              {"pencolor", "normal;#FF0000FF"},
                              {"string", "Two lines\nof text"}};
        QTest::newRow("box") << "text" << box;
        QTest::newRow("centred, thick, bold")
            << "text" << box + SProperties{{"alignment", 4u}, {"linewidth", 80.0}, {"bold", true}};
        QTest::newRow("text only") << "text"
                                   << SProperties{{"position", QPointF(100, 9000)}, {"string", "Gy"}};
    }

    void aPageAsSvgLooksLikeThePage()
    {
        QFETCH(QString, type);
        QFETCH(SProperties, properties);
        CWorkspace board;
        const auto pComponent = CComponent::create(type);
        pComponent->setPropertyValues(properties);
        QVERIFY(board.topicAt(0)->addComponent(pComponent));
        QSvgRenderer svg(CBoardFile::snapshot(board).pages.first().svg);
        QVERIFY(svg.isValid());
        QGraphicsScene* pScene = board.topicAt(0)->scene();
        const QRect page = drawnArea([&](QPainter* pPainter) {
            pScene->render(pPainter, QRectF(0, 0, 1920, 1080), pScene->sceneRect());
        });
        const QRect copy = drawnArea([&](QPainter* pPainter) { svg.render(pPainter); });
        QVERIFY2(!page.isEmpty(), "nothing drawn");
        // Letters of another renderer may differ by a pixel or two at their edges.
        for (const auto& [iPage, iCopy] : {std::pair{page.left(), copy.left()},
                                           {page.top(), copy.top()},
                                           {page.right(), copy.right()},
                                           {page.bottom(), copy.bottom()}})
            QVERIFY2(qAbs(iPage - iCopy) <= 3,
                     qPrintable(QStringLiteral("page %1, copy %2").arg(iPage).arg(iCopy)));
    }

    void aHostileOrBrokenFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("strReason");
        const QByteArray stroke =
            "<property name=\"strokes\"><list><points>1,2 3,4</points></list></property>";
        const QByteArray good = boardWith(stroke);
        QByteArray flipped = good;
        flipped[flipped.indexOf("1,2")] = '7';
        QByteArray nested = "<null/>";
        for (int i = 0; i < 70; ++i)
            nested = "<list>" + nested + "</list>";
        QTest::newRow("empty") << QByteArray() << "the file is empty";
        QTest::newRow("not a zip") << QByteArray("hello, board") << "it is not a board file";
        QTest::newRow("a zip of something else") << zipOf({{"a.txt", "a"}}) << "it is not a board file";
        QTest::newRow("no board.xml") << zipOf({{"mimetype", "application/x-whiteboard-board"}})
                                      << "the file is damaged (\"board.xml\" is missing)";
        QTest::newRow("truncated") << good.left(good.size() - 30)
                                   << "the file is damaged (Not a zip archive)";
        QTest::newRow("checksum") << flipped << "the file is damaged (\"board.xml\": CRC error)";
        QTest::newRow("newer version")
            << boardWith(stroke, {}, 2) << "newer version of the program (board format 2";
        QTest::newRow("huge declared size")
            << withDeclaredSize(good, "board.xml", 0xF0000000u) << "too large to open";
        QTest::newRow("deep nesting")
            << boardWith("<property name=\"a\">" + nested + "</property>") << "nested too deeply";
        QTest::newRow("entities") << zipOf({{"mimetype", "application/x-whiteboard-board"},
                                            {"board.xml",
                                             "<!DOCTYPE b [<!ENTITY a \"aa\">]><board version=\"1\"/>"}})
                                  << "declares entities";
        QTest::newRow("climbing entry")
            << boardWith(stroke, {{"../../evil", "x"}}) << "outside the board (\"../../evil\")";
        QTest::newRow("climbing picture")
            << boardWith("<property name=\"image\"><image ref=\"/etc/passwd\"/></property>")
            << "outside the board";
        QTest::newRow("missing picture")
            << boardWith("<property name=\"image\"><image ref=\"pictures/p.png\"/></property>")
            << "(\"pictures/p.png\" is missing)";
        QTest::newRow("too many points")
            << boardWith("<property name=\"s\"><points>" + QByteArray("1,1 ").repeated(10000001) +
                         "</points></property>")
            << "too many points";
        QTest::newRow("bad number") << boardWith("<property name=\"p\"><pointf>1 x2</pointf></property>")
                                    << "(\"x2\" is not a number)";
        QTest::newRow("bad integer") << boardWith("<property name=\"p\"><int>12abc</int></property>")
                                     << "(\"12abc\" is not a number)";
        QTest::newRow("not well-formed")
            << boardWith("<property name=\"p\"><int>1</property>") << "board.xml, line 1";
    }
    void aHostileOrBrokenFileIsRefused()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, strReason);
        CWorkspace* pBoard = COrrery::getWorkspace();
        CTopic* pPage = pBoard->getCurrentTopic();
        const auto pInk = CComponent::create(QStringLiteral("ink"));
        QVERIFY(CControlLayer::get()->invokeInsertCommand(pInk, -1, -1));
        QSignalSpy reset(pBoard, &CWorkspace::signalTopicsReset);
        QString strError;
        QVERIFY(!CBoardFile::open(write(m_dir, file), pBoard, &strError));
        QVERIFY2(strError.contains(strReason), qPrintable(strError));
        QCOMPARE(reset.count(), 0);
        QVERIFY(pBoard->topicCount() == 1 && pBoard->getCurrentTopic() == pPage);
        QVERIFY(pPage->componentCount() == 1 && pPage->getComponent(pInk->getID()));
    }

    // Values of types the file does not know, and components no factory makes, are left out; the rest
    // of the board opens.
    void unknownKindsAreLeftOut()
    {
        CWorkspace opened;
        QString strError;
        const QByteArray body =
            "<property name=\"a\"><sometype>1</sometype></property>"
            "<property name=\"b\"><list><int>1</int><hologram/></list></property>"
            "<property name=\"d\"><data type=\"QDateTime\">AAAAbo0QAAAAAAQ==</data></property>"
            "</component><component type=\"hologram\"><property name=\"c\"><int>1</int></property>";
        QVERIFY2(CBoardFile::open(write(m_dir, boardWith(body)), &opened, &strError), qPrintable(strError));
        QCOMPARE(opened.topicAt(0)->componentCount(), 1);
        const CComponent* pInk = opened.topicAt(0)->components().first();
        QCOMPARE(pInk->getPropertyNames(), QStringList{"b"});
        QCOMPARE(pInk->getPropertyValue("b"), QVariant(QVariantList{1}));
    }

    void aFailedSaveLeavesTheOldFile_data()
    {
        QTest::addColumn<bool>("bFullDisk");
        QTest::newRow("read-only folder") << false;
        QTest::newRow("disk full") << true;
    }
    void aFailedSaveLeavesTheOldFile()
    {
        QFETCH(bool, bFullDisk);
        QTemporaryDir dir;
        const QString strPath = dir.filePath(QStringLiteral("old.board"));
        QVERIFY(CBoardFile::save(*COrrery::getWorkspace(), strPath, nullptr));
        const QByteArray old = contents(strPath);
        QVERIFY(
            CControlLayer::get()->invokeInsertCommand(CComponent::create(QStringLiteral("text")), -1, -1));
        rlimit limit{}, previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        // As root, permissions are checked as nobody's; a write past the file size limit is a full disk.
        QFile::setPermissions(dir.path(),
                              QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        const int iUser = bFullDisk ? -1 : setfsuid(65534);
        limit = {std::min<rlim_t>(old.size() / 2, previous.rlim_cur), previous.rlim_max};
        const auto pfnSignal = std::signal(SIGXFSZ, SIG_IGN);
        if (bFullDisk) {
            QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        QString strError;
        const bool bSaved = CBoardFile::save(*COrrery::getWorkspace(), strPath, &strError);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, pfnSignal);
        if (iUser >= 0)
            setfsuid(iUser);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!bSaved && !strError.isEmpty());
        QCOMPARE(contents(strPath), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.board"});
    }
};

QTEST_MAIN(tst_BoardFile)
#include "tst_boardfile.moc"
