#include "boardwriter.h"

#include "boardformat.h"
#include "numbertext.h"
#include "penbase.h"
#include "penfactory.h"
#include "penutil.h"
#include "toolpropertynames.h"

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QLoggingCategory>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QXmlStreamWriter>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <zip.h>
#include <zlib.h>

Q_LOGGING_CATEGORY(lcBoardWriter, "whiteboard.boardfile")

namespace {

QString number(double d)
{
    // The shortest text that reads back as the same double.
    return QString::number(d, 'g', QLocale::FloatingPointShortest);
}

void appendNumber(QByteArray& text, double d)
{
    numbertext::append(text, d);
}

// A PNG a picture's data was saved as, kept by the image's key: a picture is encoded once, not at each
// save. The images of a few dozen pictures are worth it; the oldest goes past that.
QByteArray pngOf(const QImage& image)
{
    static std::mutex s_mutex;
    static QVector<QPair<qint64, QByteArray>> s_cache;
    {
        const std::lock_guard<std::mutex> lock(s_mutex);
        for (const auto& entry : s_cache)
            if (entry.first == image.cacheKey())
                return entry.second;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // A quality of 80 is zlib's fastest level: a picture is saved often, and opened seldom.
    image.save(&buffer, "PNG", 80);
    const std::lock_guard<std::mutex> lock(s_mutex);
    if (s_cache.size() >= 64)
        s_cache.removeFirst();
    s_cache.append({image.cacheKey(), png});
    return png;
}

// Text an XML 1.0 document cannot carry as it is: control characters (a carriage return would come
// back as a line feed), lone surrogates and the two non-characters.
bool needsEncoding(const QString& str)
{
    for (int i = 0; i < str.size(); ++i) {
        const QChar ch = str.at(i);
        const ushort u = ch.unicode();
        if ((u < 0x20 && u != '\t' && u != '\n') || u == 0xFFFE || u == 0xFFFF)
            return true;
        if (ch.isHighSurrogate() && i + 1 < str.size() && str.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (ch.isSurrogate())
            return true;
    }
    return false;
}

bool isPointList(const QVariantList& list)
{
    if (list.isEmpty())
        return false;
    for (const QVariant& item : list)
        if (item.userType() != QMetaType::QPointF)
            return false;
    return true;
}

class CValueWriter
{
public:
    CValueWriter(QXmlStreamWriter& xml, const QHash<qint64, QString>& names,
                 QVector<QPair<QString, QByteArray>>* pPictures)
        : m_xml(xml), m_pPictures(pPictures), m_names(names)
    {
    }

    // False when the value's type has no form in the file; nothing is written then.
    bool write(const QVariant& value, const QString& strKey = QString())
    {
        const int iType = value.userType();
        const char* szElement = elementFor(value);
        // A key goes into an attribute, which cannot carry what XML cannot hold.
        if (!strKey.isNull() && needsEncoding(strKey)) {
            qCWarning(lcBoardWriter) << "A value under the key" << strKey << "is not saved";
            return false;
        }
        if (!szElement) {
            qCWarning(lcBoardWriter) << "A value of type" << value.typeName() << "is not saved";
            return false;
        }
        m_xml.writeStartElement(QLatin1String(szElement));
        if (!strKey.isNull())
            m_xml.writeAttribute(QStringLiteral("key"), strKey);
        switch (iType) {
        case QMetaType::UnknownType:
            break;
        case QMetaType::QString: {
            const QString str = value.toString();
            if (needsEncoding(str)) {
                m_xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("utf16-base64"));
                m_xml.writeCharacters(QString::fromLatin1(
                    QByteArray(reinterpret_cast<const char*>(str.utf16()), str.size() * 2).toBase64()));
            } else {
                m_xml.writeCharacters(str);
            }
            break;
        }
        case QMetaType::Bool:
            m_xml.writeCharacters(value.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
            m_xml.writeCharacters(QString::number(value.toLongLong()));
            break;
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            m_xml.writeCharacters(QString::number(value.toULongLong()));
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            m_xml.writeCharacters(number(value.toDouble()));
            break;
        case QMetaType::QColor: {
            const QColor color = value.value<QColor>();
            if (color.isValid())
                m_xml.writeCharacters(color.name(QColor::HexArgb));
            break;
        }
        case QMetaType::QFont:
            m_xml.writeCharacters(value.value<QFont>().toString());
            break;
        case QMetaType::QPoint:
        case QMetaType::QPointF: {
            const QPointF point = value.toPointF();
            m_xml.writeCharacters(number(point.x()) + QLatin1Char(' ') + number(point.y()));
            break;
        }
        case QMetaType::QSize:
        case QMetaType::QSizeF: {
            const QSizeF size = value.toSizeF();
            m_xml.writeCharacters(number(size.width()) + QLatin1Char(' ') + number(size.height()));
            break;
        }
        case QMetaType::QRect:
        case QMetaType::QRectF: {
            const QRectF rect = value.toRectF();
            m_xml.writeCharacters(number(rect.x()) + QLatin1Char(' ') + number(rect.y()) + QLatin1Char(' ') +
                                  number(rect.width()) + QLatin1Char(' ') + number(rect.height()));
            break;
        }
        case QMetaType::QByteArray:
            m_xml.writeCharacters(QString::fromLatin1(value.toByteArray().toBase64()));
            break;
        case QMetaType::QStringList:
            for (const QString& str : value.toStringList())
                write(str);
            break;
        case QMetaType::QVariantList:
            writeList(value.toList());
            break;
        case QMetaType::QVariantMap: {
            const QVariantMap map = value.toMap();
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                write(it.value(), it.key());
            break;
        }
        case QMetaType::QVariantHash: {
            // Sorted, so that the same board always gives the same file.
            const QVariantHash hash = value.toHash();
            QStringList keys = hash.keys();
            keys.sort();
            for (const QString& strHashKey : keys)
                write(hash.value(strHashKey), strHashKey);
            break;
        }
        case QMetaType::QImage:
            writeImage(value.value<QImage>());
            break;
        default:
            if (iType == qMetaTypeId<Qt::Alignment>())
                m_xml.writeCharacters(QString::number(int(value.value<Qt::Alignment>())));
            else if (iType == qMetaTypeId<PenUtil::ELineStyle>())
                m_xml.writeCharacters(QString::number(int(value.value<PenUtil::ELineStyle>())));
            else
                writeStreamed(value);
            break;
        }
        m_xml.writeEndElement();
        return true;
    }

private:
    static const char* elementFor(const QVariant& value)
    {
        switch (value.userType()) {
        case QMetaType::UnknownType:
            return "null";
        case QMetaType::QString:
            return "string";
        case QMetaType::Bool:
            return "bool";
        case QMetaType::Int:
            return "int";
        case QMetaType::UInt:
            return "uint";
        case QMetaType::LongLong:
            return "long";
        case QMetaType::ULongLong:
            return "ulong";
        case QMetaType::Double:
            return "double";
        case QMetaType::Float:
            return "float";
        case QMetaType::QColor:
            return "color";
        case QMetaType::QFont:
            return "font";
        case QMetaType::QPoint:
            return "point";
        case QMetaType::QPointF:
            return "pointf";
        case QMetaType::QSize:
            return "size";
        case QMetaType::QSizeF:
            return "sizef";
        case QMetaType::QRect:
            return "rect";
        case QMetaType::QRectF:
            return "rectf";
        case QMetaType::QByteArray:
            return "bytes";
        case QMetaType::QStringList:
            return "stringlist";
        case QMetaType::QVariantList:
            return isPointList(value.toList()) ? "points" : "list";
        case QMetaType::QVariantMap:
            return "map";
        case QMetaType::QVariantHash:
            return "hash";
        case QMetaType::QImage:
            return "image";
        default:
            break;
        }
        if (value.userType() == qMetaTypeId<Qt::Alignment>())
            return "alignment";
        if (value.userType() == qMetaTypeId<PenUtil::ELineStyle>())
            return "linestyle";
        // Any other type that Qt can stream: kept as its stream, under its type's name.
        if (!boardformat::isStreamedType(value.userType()))
            return nullptr;
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        return QMetaType::save(stream, value.userType(), value.constData()) ? "data" : nullptr;
    }

    void writeList(const QVariantList& list)
    {
        if (!isPointList(list)) {
            for (const QVariant& item : list)
                write(item);
            return;
        }
        // A stroke's points, "x,y x,y ...": the bulk of most boards, so one text rather than an element
        // a point.
        QByteArray text;
        text.reserve(list.size() * 16);
        for (const QVariant& item : list) {
            const QPointF point = item.toPointF();
            if (!text.isEmpty())
                text += ' ';
            appendNumber(text, point.x());
            text += ',';
            appendNumber(text, point.y());
        }
        // Numbers need no escaping: they go to the device as they are, once the element's start
        // tag is closed.
        m_xml.writeCharacters(QString());
        m_xml.device()->write(text);
    }

    void writeImage(const QImage& image)
    {
        // A picture shown by several components is kept once.
        const QString strName = image.isNull() ? QString() : m_names.value(image.cacheKey());
        if (!strName.isEmpty() && !m_written.contains(image.cacheKey())) {
            m_written.insert(image.cacheKey());
            if (m_pPictures)
                m_pPictures->append({strName, pngOf(image)});
        }
        if (!strName.isEmpty()) {
            m_xml.writeAttribute(QStringLiteral("ref"), strName);
            m_xml.writeAttribute(QStringLiteral("format"), QString::number(int(image.format())));
        }
    }

    void writeStreamed(const QVariant& value)
    {
        QByteArray bytes;
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        QMetaType::save(stream, value.userType(), value.constData());
        m_xml.writeAttribute(QStringLiteral("type"), QString::fromLatin1(value.typeName()));
        m_xml.writeCharacters(QString::fromLatin1(bytes.toBase64()));
    }

    QXmlStreamWriter& m_xml;
    QVector<QPair<QString, QByteArray>>* m_pPictures;
    const QHash<qint64, QString>& m_names;
    QSet<qint64> m_written;
};

// Names the pictures in the order board.xml comes to them, so that the same board always gives the
// same file.
void namePictures(const QVariant& value, QHash<qint64, QString>* pNames)
{
    switch (value.userType()) {
    case QMetaType::QImage: {
        const QImage* pImage = static_cast<const QImage*>(value.constData());
        if (!pImage->isNull() && !pNames->contains(pImage->cacheKey()))
            pNames->insert(pImage->cacheKey(), QStringLiteral("%1picture-%2.png")
                                                   .arg(QLatin1String(boardformat::c_szPicturesFolder))
                                                   .arg(pNames->size() + 1));
        break;
    }
    case QMetaType::QVariantList:
        // Read in place: most lists are a stroke's points, a million of them on a big board.
        for (const QVariant& item : *static_cast<const QVariantList*>(value.constData()))
            if (item.userType() != QMetaType::QPointF)
                namePictures(item, pNames);
        break;
    case QMetaType::QVariantMap:
        for (const QVariant& item : *static_cast<const QVariantMap*>(value.constData()))
            namePictures(item, pNames);
        break;
    case QMetaType::QVariantHash: {
        const QVariantHash& hash = *static_cast<const QVariantHash*>(value.constData());
        QStringList keys = hash.keys();
        keys.sort();
        for (const QString& strKey : keys)
            namePictures(hash.value(strKey), pNames);
        break;
    }
    default:
        break;
    }
}

// An entry deflated before it goes into the archive, so that several can be deflated at once; the
// archive takes it as it would an entry copied from another archive, without deflating it again.
struct SDeflated
{
    QByteArray data;
    zip_uint64_t iSize = 0;
    uLong iCrc = 0;
    zip_uint64_t iRead = 0;
    bool bOk = false;
};

SDeflated deflated(const QByteArray& bytes)
{
    SDeflated result;
    result.iSize = zip_uint64_t(bytes.size());
    result.iCrc =
        crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(bytes.constData()), uInt(bytes.size()));
    z_stream stream{};
    // Raw deflate, as ZIP keeps it; the fastest level: most of a board is numbers in text, which even
    // that shrinks well.
    if (deflateInit2(&stream, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return result;
    result.data.resize(int(deflateBound(&stream, uLong(bytes.size()))));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.constData()));
    stream.avail_in = uInt(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(result.data.data());
    stream.avail_out = uInt(result.data.size());
    result.bOk = deflate(&stream, Z_FINISH) == Z_STREAM_END;
    result.data.resize(int(stream.total_out));
    deflateEnd(&stream);
    return result;
}

zip_int64_t readDeflated(void* pUserData, void* pData, zip_uint64_t iLength, zip_source_cmd_t eCommand)
{
    SDeflated* pEntry = static_cast<SDeflated*>(pUserData);
    switch (eCommand) {
    case ZIP_SOURCE_OPEN:
        pEntry->iRead = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        const zip_uint64_t iCount = std::min(iLength, zip_uint64_t(pEntry->data.size()) - pEntry->iRead);
        memcpy(pData, pEntry->data.constData() + pEntry->iRead, iCount);
        pEntry->iRead += iCount;
        return zip_int64_t(iCount);
    }
    case ZIP_SOURCE_STAT: {
        zip_stat_t* pStat = static_cast<zip_stat_t*>(pData);
        zip_stat_init(pStat);
        pStat->size = pEntry->iSize;
        pStat->comp_size = zip_uint64_t(pEntry->data.size());
        pStat->crc = zip_uint32_t(pEntry->iCrc);
        pStat->comp_method = ZIP_CM_DEFLATE;
        pStat->encryption_method = ZIP_EM_NONE;
        pStat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD |
                       ZIP_STAT_ENCRYPTION_METHOD;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                              ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(nullptr, pData, iLength);
    default:
        return 0;
    }
}

QColor inkColor(const QVariant& value)
{
    if (value.userType() == QMetaType::QColor)
        return value.value<QColor>();
    const boost::shared_ptr<CPenBase> pPen = CPenFactory::createPen(value.toString());
    return pPen ? pPen->getColor() : QColor(Qt::black);
}

QVariant propertyOf(const CBoardFile::SComponent& component, const QString& strName)
{
    for (const QPair<QString, QVariant>& property : component.properties)
        if (property.first == strName)
            return property.second;
    return QVariant();
}

} // namespace

QByteArray CBoardWriter::boardXml(const CBoardFile::SBoard& board,
                                  QVector<QPair<QString, QByteArray>>* pPictures)
{
    QByteArray xmlBytes;
    QXmlStreamWriter xml(&xmlBytes);
    // A line a property, indented by level: readable, and a third of the text nodes a reader would
    // pass over if every element had a line of its own.
    const auto newLine = [&xml](int iIndent) {
        static const QString s_strSpaces(8, QLatin1Char(' '));
        xml.writeCharacters(QLatin1Char('\n') + s_strSpaces.left(iIndent));
    };
    xml.writeStartDocument();
    newLine(0);
    xml.writeStartElement(QStringLiteral("board"));
    xml.writeAttribute(QStringLiteral("version"), QString::number(CBoardFile::c_iVersion));
    xml.writeAttribute(QStringLiteral("current"), QString::number(board.iCurrentPage));
    const QHash<qint64, QString> names = pictureNames(board);
    CValueWriter values(xml, names, pPictures);
    for (const CBoardFile::SPage& page : board.pages) {
        newLine(1);
        xml.writeStartElement(QStringLiteral("page"));
        for (const CBoardFile::SComponent& component : page.components) {
            newLine(2);
            xml.writeStartElement(QStringLiteral("component"));
            xml.writeAttribute(QStringLiteral("type"), component.strType);
            for (const QPair<QString, QVariant>& property : component.properties) {
                if (needsEncoding(property.first)) {
                    qCWarning(lcBoardWriter) << "The property" << property.first << "is not saved";
                    continue;
                }
                newLine(3);
                xml.writeStartElement(QStringLiteral("property"));
                xml.writeAttribute(QStringLiteral("name"), property.first);
                values.write(property.second);
                xml.writeEndElement();
            }
            newLine(2);
            xml.writeEndElement();
        }
        newLine(1);
        xml.writeEndElement();
    }
    newLine(0);
    xml.writeEndElement();
    xml.writeEndDocument();
    return xmlBytes;
}

QHash<qint64, QString> CBoardWriter::pictureNames(const CBoardFile::SBoard& board)
{
    QHash<qint64, QString> names;
    for (const CBoardFile::SPage& page : board.pages)
        for (const CBoardFile::SComponent& component : page.components)
            for (const QPair<QString, QVariant>& property : component.properties)
                namePictures(property.second, &names);
    return names;
}

QByteArray CBoardWriter::pageInkML(const CBoardFile::SPage& page)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("ink"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2003/InkML"));

    // Brushes first, one a colour and width; the traces refer to them.
    QStringList brushes;
    QVector<int> brushOfComponent;
    for (const CBoardFile::SComponent& component : page.components) {
        if (component.strType != QLatin1String("ink")) {
            brushOfComponent.append(-1);
            continue;
        }
        const QColor color = inkColor(propertyOf(component, QLatin1String(toolproperty::c_szPenColor)));
        const double dWidth = propertyOf(component, QLatin1String(toolproperty::c_szLineWidth)).toDouble();
        const QString strBrush = color.name(QColor::HexRgb) + QLatin1Char(' ') +
                                 number(dWidth > 0.0 ? dWidth : 3.0) + QLatin1Char(' ') +
                                 QString::number(color.alpha());
        int iBrush = brushes.indexOf(strBrush);
        if (iBrush < 0) {
            iBrush = brushes.size();
            brushes.append(strBrush);
        }
        brushOfComponent.append(iBrush);
    }
    if (!brushes.isEmpty()) {
        xml.writeStartElement(QStringLiteral("definitions"));
        for (int i = 0; i < brushes.size(); ++i) {
            const QStringList parts = brushes.at(i).split(QLatin1Char(' '));
            xml.writeStartElement(QStringLiteral("brush"));
            xml.writeAttribute(QStringLiteral("xml:id"), QStringLiteral("brush%1").arg(i));
            const auto property = [&xml](const QString& strName, const QString& strValue) {
                xml.writeEmptyElement(QStringLiteral("brushProperty"));
                xml.writeAttribute(QStringLiteral("name"), strName);
                xml.writeAttribute(QStringLiteral("value"), strValue);
            };
            property(QStringLiteral("color"), parts.at(0));
            property(QStringLiteral("width"), parts.at(1));
            property(QStringLiteral("height"), parts.at(1));
            property(QStringLiteral("tip"), QStringLiteral("ellipse"));
            // InkML's transparency runs from 0 (opaque) to 255.
            property(QStringLiteral("transparency"), QString::number(255 - parts.at(2).toInt()));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }

    QStringList brushRefs;
    for (int i = 0; i < brushes.size(); ++i)
        brushRefs.append(QStringLiteral("#brush%1").arg(i));
    QByteArray trace;
    for (int iComponent = 0; iComponent < page.components.size(); ++iComponent) {
        if (brushOfComponent.at(iComponent) < 0)
            continue;
        const CBoardFile::SComponent& component = page.components.at(iComponent);
        // The strokes are in the component's own coordinates; the page's are those plus its position.
        const QPointF offset = propertyOf(component, QStringLiteral("position")).toPointF();
        for (const QVariant& stroke : propertyOf(component, QStringLiteral("strokes")).toList()) {
            trace.clear();
            for (const QVariant& item : stroke.toList()) {
                const QPointF point = item.toPointF() + offset;
                if (!trace.isEmpty())
                    trace += ", ";
                appendNumber(trace, point.x());
                trace += ' ';
                appendNumber(trace, point.y());
            }
            if (trace.isEmpty())
                continue;
            xml.writeStartElement(QStringLiteral("trace"));
            xml.writeAttribute(QStringLiteral("brushRef"), brushRefs.at(brushOfComponent.at(iComponent)));
            xml.writeCharacters(QString());
            xml.device()->write(trace);
            xml.writeEndElement();
        }
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray CBoardWriter::encode(const CBoardFile::SBoard& board, QString* pstrError)
{
    const auto fail = [pstrError](const QString& strReason) {
        if (pstrError)
            *pstrError = strReason;
        return QByteArray();
    };

    // The archive is made in memory: the entries' data must live until the archive is closed.
    std::deque<QByteArray> data;
    struct SEntry
    {
        QString strName;
        const QByteArray* pData;
        bool bCompress;
    };
    QVector<SEntry> entries;
    const auto add = [&](const QString& strName, const QByteArray& bytes, bool bCompress) {
        data.push_back(bytes);
        entries.append({strName, &data.back(), bCompress});
    };
    // First and stored, so that a program can tell the kind of file from its first bytes.
    add(QLatin1String(boardformat::c_szMimeEntry), QByteArray(boardformat::c_szMimeType), false);
    // The InkML copies need only the copy: they are made on another core while board.xml is.
    std::future<QVector<QByteArray>> inkml = std::async(std::launch::async, [&board] {
        QVector<QByteArray> pages;
        for (const CBoardFile::SPage& page : board.pages)
            pages.append(page.svg.isEmpty() ? QByteArray() : pageInkML(page));
        return pages;
    });
    QVector<QPair<QString, QByteArray>> pictures;
    add(QLatin1String(boardformat::c_szBoardEntry), boardXml(board, &pictures), true);
    const QVector<QByteArray> inkmlPages = inkml.get();
    for (int i = 0; i < board.pages.size(); ++i) {
        const QString strPage =
            QStringLiteral("%1page-%2").arg(QLatin1String(boardformat::c_szPagesFolder)).arg(i + 1);
        // The copies for other programs come with the drawn pages, on the saves the user asks for; a
        // copy kept in the background goes without them.
        if (board.pages.at(i).svg.isEmpty())
            continue;
        add(strPage + QStringLiteral(".svg"), board.pages.at(i).svg, true);
        add(strPage + QStringLiteral(".inkml"), inkmlPages.at(i), true);
    }
    // PNG is compressed already.
    for (const QPair<QString, QByteArray>& picture : pictures)
        add(picture.first, picture.second, false);

    // Deflated on two cores: each takes the next entry that needs it.
    std::vector<SDeflated> compressed(size_t(entries.size()));
    std::atomic<int> iNext{0};
    const auto deflateEntries = [&entries, &compressed, &iNext] {
        for (int i = iNext++; i < entries.size(); i = iNext++)
            if (entries.at(i).bCompress)
                compressed[size_t(i)] = deflated(*entries.at(i).pData);
    };
    std::future<void> helper = std::async(std::launch::async, deflateEntries);
    deflateEntries();
    helper.get();

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* pBuffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!pBuffer)
        return fail(QStringLiteral("out of memory"));
    // Kept past the archive's close, to read the archive back from it.
    zip_source_keep(pBuffer);
    zip_t* pArchive = zip_open_from_source(pBuffer, ZIP_TRUNCATE, &error);
    bool bOk = pArchive != nullptr;
    for (int i = 0; i < entries.size(); ++i) {
        const SEntry& entry = entries.at(i);
        if (!bOk || (entry.bCompress && !compressed[size_t(i)].bOk)) {
            bOk = false;
            break;
        }
        zip_source_t* pSource =
            entry.bCompress ? zip_source_function(pArchive, readDeflated, &compressed[size_t(i)])
                            : zip_source_buffer(pArchive, entry.pData->constData(), entry.pData->size(), 0);
        const zip_int64_t iIndex = pSource ? zip_file_add(pArchive, entry.strName.toUtf8().constData(),
                                                          pSource, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
                                           : -1;
        if (iIndex < 0) {
            zip_source_free(pSource);
            bOk = false;
            break;
        }
        bOk = zip_set_file_compression(pArchive, iIndex, entry.bCompress ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                                       entry.bCompress ? 1 : 0) == 0;
    }
    if (pArchive && (!bOk || zip_close(pArchive) != 0)) {
        zip_discard(pArchive);
        bOk = false;
    }
    zip_error_fini(&error);

    QByteArray bytes;
    if (bOk && zip_source_open(pBuffer) == 0) {
        zip_source_seek(pBuffer, 0, SEEK_END);
        const zip_int64_t iSize = zip_source_tell(pBuffer);
        zip_source_seek(pBuffer, 0, SEEK_SET);
        bytes.resize(int(qMax<zip_int64_t>(iSize, 0)));
        bOk = iSize >= 0 && zip_source_read(pBuffer, bytes.data(), bytes.size()) == iSize;
        zip_source_close(pBuffer);
    }
    zip_source_free(pBuffer);
    if (!bOk || bytes.isEmpty())
        return fail(QStringLiteral("the board could not be packed"));
    return bytes;
}
