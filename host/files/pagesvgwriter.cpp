#include "pagesvgwriter.h"

#include "boardunits.h"
#include "numbertext.h"
#include "penbase.h"
#include "penfactory.h"
#include "penutil.h"
#include "toolpropertynames.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPointF>
#include <QXmlStreamWriter>
#include <cmath>

namespace {

// The room QTextDocument leaves around its text, in pixels: the box's frame is drawn on it.
constexpr double c_dDocumentMargin = 4.0;

// Coordinates to a hundredth of a scene unit, finer than any screen shows; more would only make the
// file longer.
void appendNumber(QByteArray& text, double d)
{
    numbertext::append(text, std::round(d * 100.0) / 100.0);
}

QString number(double d)
{
    QByteArray text;
    appendNumber(text, d);
    return QString::fromLatin1(text);
}

QVariant propertyOf(const CBoardFile::SComponent& component, const char* szName)
{
    for (const QPair<QString, QVariant>& property : component.properties)
        if (property.first == QLatin1String(szName))
            return property.second;
    return QVariant();
}

// The colour of a pen description ("normal;#AARRGGBB") or of a colour value; pens are described
// alike on every stroke, so each description is looked up once.
class CColors
{
public:
    QColor of(const QVariant& value)
    {
        if (value.userType() == QMetaType::QColor)
            return value.value<QColor>();
        const QString strPen = value.toString();
        auto it = m_pens.constFind(strPen);
        if (it == m_pens.constEnd()) {
            const boost::shared_ptr<CPenBase> pPen = CPenFactory::createPen(strPen);
            it = m_pens.insert(strPen, pPen ? pPen->getColor() : QColor());
        }
        return *it;
    }

private:
    QHash<QString, QColor> m_pens;
};

// A paint ("fill" or "stroke") in the colour, with its opacity where it is not opaque.
void writePaint(QXmlStreamWriter& xml, const QString& strPaint, const QColor& color)
{
    if (!color.isValid() || color.alpha() == 0) {
        xml.writeAttribute(strPaint, QStringLiteral("none"));
        return;
    }
    xml.writeAttribute(strPaint, color.name(QColor::HexRgb));
    if (color.alpha() < 255)
        xml.writeAttribute(strPaint + QStringLiteral("-opacity"), number(color.alphaF()));
}

void writePosition(QXmlStreamWriter& xml, const CBoardFile::SComponent& component, double dScale)
{
    const QPointF position = propertyOf(component, "position").toPointF();
    QString strTransform;
    if (!position.isNull())
        strTransform = QStringLiteral("translate(%1 %2)").arg(number(position.x()), number(position.y()));
    if (dScale != 1.0)
        strTransform += QStringLiteral(" scale(%1)").arg(number(dScale));
    if (!strTransform.isEmpty())
        xml.writeAttribute(QStringLiteral("transform"), strTransform.trimmed());
}

// A stroke's points as an SVG path: the first where it is, the others by how far each is from the
// one before, which is shorter. The steps are taken in whole hundredths, so they add up to the points.
void appendPath(QByteArray& path, const QVariantList& points)
{
    const auto hundredths = [](double d) { return std::llround(d * 100.0); };
    const QPointF start = points.first().toPointF();
    long long iX = hundredths(start.x());
    long long iY = hundredths(start.y());
    path += path.isEmpty() ? "M" : " M";
    numbertext::append(path, iX / 100.0);
    path += ' ';
    numbertext::append(path, iY / 100.0);
    path += "l";
    bool bMoved = false;
    for (int i = 1; i < points.size(); ++i) {
        const QPointF point = points.at(i).toPointF();
        const long long iNextX = hundredths(point.x());
        const long long iNextY = hundredths(point.y());
        bMoved = bMoved || point != start;
        path += ' ';
        numbertext::append(path, double(iNextX - iX) / 100.0);
        path += ' ';
        numbertext::append(path, double(iNextY - iY) / 100.0);
        iX = iNextX;
        iY = iNextY;
    }
    // A dot: a line too short to see, drawn by its round caps, as the board draws it.
    if (!bMoved)
        path += " 0.01 0";
}

void writeInk(QXmlStreamWriter& xml, const CBoardFile::SComponent& component, CColors& colors)
{
    QByteArray path;
    for (const QVariant& stroke : propertyOf(component, "strokes").toList()) {
        const QVariantList points = stroke.toList();
        if (!points.isEmpty())
            appendPath(path, points);
    }
    if (path.isEmpty())
        return;
    QColor color = colors.of(propertyOf(component, toolproperty::c_szPenColor));
    if (!color.isValid())
        color = Qt::black;
    bool bOk = false;
    double dWidth = propertyOf(component, toolproperty::c_szLineWidth).toDouble(&bOk);
    if (!bOk || dWidth <= 0.0)
        dWidth = 3.0;
    // Written as it is, numbers and a colour that need no escaping: the bulk of a page.
    QByteArray element = "<path";
    const QPointF position = propertyOf(component, "position").toPointF();
    if (!position.isNull()) {
        element += " transform=\"translate(";
        appendNumber(element, position.x());
        element += ' ';
        appendNumber(element, position.y());
        element += ")\"";
    }
    element += " fill=\"none\" stroke=\"" + color.name(QColor::HexRgb).toLatin1() + '"';
    if (color.alpha() < 255) {
        element += " stroke-opacity=\"";
        appendNumber(element, color.alphaF());
        element += '"';
    }
    element += " stroke-width=\"";
    appendNumber(element, dWidth);
    element += "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"";
    element += path;
    element += "\"/>";
    xml.device()->write(element);
}

void writePicture(QXmlStreamWriter& xml, const CBoardFile::SComponent& component,
                  const QHash<qint64, QString>& pictureNames)
{
    const QVariant value = propertyOf(component, "image");
    if (value.userType() != QMetaType::QImage)
        return;
    const QImage image = value.value<QImage>();
    const QString strName = pictureNames.value(image.cacheKey());
    if (strName.isEmpty() || image.isNull())
        return;
    xml.writeEmptyElement(QStringLiteral("image"));
    // A picture's pixel is a screen pixel at the default zoom, as on the board.
    writePosition(xml, component, boardunits::c_dUnitsPerPixel);
    xml.writeAttribute(QStringLiteral("width"), QString::number(image.width()));
    xml.writeAttribute(QStringLiteral("height"), QString::number(image.height()));
    xml.writeAttribute(QStringLiteral("preserveAspectRatio"), QStringLiteral("none"));
    // The page is one folder down from the pictures.
    xml.writeAttribute(QStringLiteral("xlink:href"), QStringLiteral("../") + strName);
}

// What of a line of text XML can carry: no control characters, no lone surrogates.
QString xmlText(const QString& str)
{
    QString strText;
    strText.reserve(str.size());
    for (int i = 0; i < str.size(); ++i) {
        const QChar ch = str.at(i);
        if (ch.isHighSurrogate() && i + 1 < str.size() && str.at(i + 1).isLowSurrogate()) {
            strText += ch;
            strText += str.at(++i);
        } else if (!ch.isSurrogate() && (ch.unicode() >= 0x20 || ch == QLatin1Char('\t')) &&
                   ch.unicode() < 0xFFFE) {
            strText += ch;
        }
    }
    return strText;
}

// The dashes of the board's line styles, in line widths, as Qt draws them.
QString dashes(int iLineStyle, double dWidth)
{
    QVector<double> pattern;
    switch (PenUtil::toQtPenStyle(iLineStyle)) {
    case Qt::DashLine:
        pattern = {4, 2};
        break;
    case Qt::DotLine:
        pattern = {1, 2};
        break;
    case Qt::DashDotLine:
        pattern = {4, 2, 1, 2};
        break;
    case Qt::DashDotDotLine:
        pattern = {4, 2, 1, 2, 1, 2};
        break;
    default:
        return QString();
    }
    QStringList parts;
    for (double d : pattern)
        parts.append(number(d * dWidth));
    return parts.join(QLatin1Char(' '));
}

class CTextWriter
{
public:
    void write(QXmlStreamWriter& xml, const CBoardFile::SComponent& component, CColors& colors)
    {
        QFont font;
        const QString strFamily = propertyOf(component, toolproperty::c_szFontFamily).toString();
        if (!strFamily.isEmpty())
            font.setFamily(strFamily);
        const double dSize = propertyOf(component, toolproperty::c_szFontSize).toDouble();
        if (dSize > 0.0)
            font.setPointSizeF(dSize);
        font.setBold(propertyOf(component, toolproperty::c_szBold).toBool());
        font.setItalic(propertyOf(component, toolproperty::c_szItalic).toBool());
        const QFontMetricsF& metrics = metricsOf(font);

        // Laid out as the box lays itself out: a line per line of text, the box as wide as the
        // longest, each line aligned within it, the document's margin around them.
        QStringList lines = propertyOf(component, "string").toString().split(QLatin1Char('\n'));
        for (QString& strLine : lines)
            strLine = xmlText(strLine);
        QVector<double> widths;
        double dWidest = 0.0;
        for (const QString& strLine : lines) {
            widths.append(metrics.horizontalAdvance(strLine));
            dWidest = std::max(dWidest, widths.last());
        }
        const double dLineHeight = metrics.height();
        const QRectF frame(0.0, 0.0, std::ceil(dWidest) + 2.0 * c_dDocumentMargin,
                           lines.size() * dLineHeight + 2.0 * c_dDocumentMargin);

        xml.writeStartElement(QStringLiteral("g"));
        // The box is scaled so that a point shows as large as anywhere else on the screen.
        writePosition(xml, component, boardunits::c_dUnitsPerPixel);
        writeFrame(xml, component, frame, colors);

        // The font on a group and a text element a line, each placed on its own: viewers that follow
        // SVG Tiny (Qt's among them) do not place the lines of one text element.
        xml.writeStartElement(QStringLiteral("g"));
        xml.writeAttribute(QStringLiteral("font-family"), font.family());
        xml.writeAttribute(QStringLiteral("font-size"),
                           number(font.pointSizeF() * boardunits::c_dPixelsPerPoint));
        if (font.bold())
            xml.writeAttribute(QStringLiteral("font-weight"), QStringLiteral("bold"));
        if (font.italic())
            xml.writeAttribute(QStringLiteral("font-style"), QStringLiteral("italic"));
        const QColor color = colors.of(propertyOf(component, toolproperty::c_szFontColor));
        writePaint(xml, QStringLiteral("fill"), color.isValid() ? color : QColor(Qt::black));
        const QVariant alignment = propertyOf(component, toolproperty::c_szAlignment);
        const Qt::Alignment eAlignment =
            (alignment.userType() == qMetaTypeId<Qt::Alignment>() ? alignment.value<Qt::Alignment>()
                                                                  : Qt::Alignment(alignment.toInt())) &
            Qt::AlignHorizontal_Mask;
        const bool bUnderline = propertyOf(component, toolproperty::c_szUnderline).toBool();
        for (int i = 0; i < lines.size(); ++i) {
            if (lines.at(i).isEmpty())
                continue;
            double dX = c_dDocumentMargin;
            const double dRoom = frame.width() - 2.0 * c_dDocumentMargin - widths.at(i);
            if (eAlignment & Qt::AlignRight)
                dX += dRoom;
            else if (eAlignment & Qt::AlignHCenter)
                dX += dRoom / 2.0;
            xml.writeStartElement(QStringLiteral("text"));
            xml.writeAttribute(QStringLiteral("x"), number(dX));
            xml.writeAttribute(QStringLiteral("y"),
                               number(c_dDocumentMargin + i * dLineHeight + metrics.ascent()));
            // Spaces count in a box: two in a row show as two.
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            // On each line: not every viewer passes a decoration down from a group.
            if (bUnderline)
                xml.writeAttribute(QStringLiteral("text-decoration"), QStringLiteral("underline"));
            xml.writeCharacters(lines.at(i));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        xml.writeEndElement();
    }

private:
    const QFontMetricsF& metricsOf(const QFont& font)
    {
        // A page has few fonts and many boxes.
        const QString strKey = font.key();
        auto it = m_metrics.find(strKey);
        if (it == m_metrics.end())
            it = m_metrics.insert(strKey, QFontMetricsF(font));
        return *it;
    }

    static void writeFrame(QXmlStreamWriter& xml, const CBoardFile::SComponent& component,
                           const QRectF& frame, CColors& colors)
    {
        const QColor fill = colors.of(propertyOf(component, toolproperty::c_szFillColor));
        const QColor outline = colors.of(propertyOf(component, toolproperty::c_szPenColor));
        const QVariant widthValue = propertyOf(component, toolproperty::c_szLineWidth);
        // The width is in scene units, the box's own are pixels.
        const double dWidth =
            (widthValue.isValid() ? widthValue.toDouble() : 1.0) / boardunits::c_dUnitsPerPixel;
        const QVariant styleValue = propertyOf(component, toolproperty::c_szLineStyle);
        const int iStyle = styleValue.isValid() ? styleValue.toInt() : int(PenUtil::eLineStyleSolid);
        const bool bOutline = outline.isValid() && dWidth > 0.0 && PenUtil::toQtPenStyle(iStyle) != Qt::NoPen;
        if (!bOutline && !(fill.isValid() && fill.alpha() > 0))
            return;
        xml.writeEmptyElement(QStringLiteral("rect"));
        xml.writeAttribute(QStringLiteral("width"), number(frame.width()));
        xml.writeAttribute(QStringLiteral("height"), number(frame.height()));
        writePaint(xml, QStringLiteral("fill"), fill);
        if (!bOutline)
            return;
        writePaint(xml, QStringLiteral("stroke"), outline);
        xml.writeAttribute(QStringLiteral("stroke-width"), number(dWidth));
        const QString strDashes = dashes(iStyle, dWidth);
        if (!strDashes.isEmpty())
            xml.writeAttribute(QStringLiteral("stroke-dasharray"), strDashes);
    }

    QHash<QString, QFontMetricsF> m_metrics;
};

} // namespace

QByteArray CPageSvgWriter::write(const CBoardFile::SPage& page, const QHash<qint64, QString>& pictureNames)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument();
    xml.writeCharacters(QStringLiteral("\n"));
    xml.writeStartElement(QStringLiteral("svg"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.w3.org/2000/svg"));
    xml.writeNamespace(QStringLiteral("http://www.w3.org/1999/xlink"), QStringLiteral("xlink"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    // Pixels at the common 96 dpi: a viewer shows the page as large as the board shows it.
    xml.writeAttribute(QStringLiteral("width"), QStringLiteral("1920"));
    xml.writeAttribute(QStringLiteral("height"), QStringLiteral("1080"));
    xml.writeAttribute(QStringLiteral("viewBox"), QStringLiteral("0 0 1920 1080"));
    xml.writeTextElement(QStringLiteral("title"), QStringLiteral("Board page"));
    xml.writeEmptyElement(QStringLiteral("rect"));
    xml.writeAttribute(QStringLiteral("width"), QStringLiteral("1920"));
    xml.writeAttribute(QStringLiteral("height"), QStringLiteral("1080"));
    xml.writeAttribute(QStringLiteral("fill"), QStringLiteral("#ffffff"));
    // The components are placed in scene units, as the board keeps them.
    xml.writeStartElement(QStringLiteral("g"));
    xml.writeAttribute(QStringLiteral("transform"),
                       QStringLiteral("scale(%1)").arg(number(1.0 / boardunits::c_dUnitsPerPixel)));
    CColors colors;
    CTextWriter text;
    for (const CBoardFile::SComponent& component : page.components) {
        xml.writeCharacters(QStringLiteral("\n"));
        if (component.strType == QLatin1String("ink"))
            writeInk(xml, component, colors);
        else if (component.strType == QLatin1String("text"))
            text.write(xml, component, colors);
        else if (component.strType == QLatin1String("picture"))
            writePicture(xml, component, pictureNames);
    }
    xml.writeCharacters(QStringLiteral("\n"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}
