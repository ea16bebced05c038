// A pen of the host, and the texts in which pens and colours travel: a colour is "#AARRGGBB", a pen
// description is the pen type, ";" and the colour ("normal;#ff000000"); "null;" is no pen.
#pragma once

#include <QColor>
#include <QPen>
#include <QString>

class CPenBase
{
public:
    CPenBase(const QString& strType, const QColor& color);
    virtual ~CPenBase();

    QString getType() const { return m_strType; }
    QColor getColor() const { return m_color; }
    QString description() const;
    // A QPen of this pen for drawing an outline of the given width and line style code.
    virtual QPen toQPen(double dWidth, int iLineStyle) const;

    // "#AARRGGBB"; an empty text for an invalid colour.
    static QString encodeColor(const QColor& color);
    // The colour of "#AARRGGBB", "#RRGGBB" or a pen description; invalid when there is none.
    static QColor decodeColor(const QString& strText);
    // The part of a pen description before ";"; empty when there is no ";".
    static QString getPenType(const QString& strDescription);

private:
    QString m_strType;
    QColor m_color;
};
