// Keeps handwriting with the text it became. While a pen tool hands a piece of writing on, a scope of
// this class is open: each text box that is put on the board or given new text meanwhile gets the
// writing (its strokes in scene coordinates and its pen) as its "handwriting" property, in the same
// undo step. The writing can then be shown again in place of the box, and the box in place of that
// ink, each as one undo step; the ink keeps the whole box, so nothing of it is lost on the way.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QVariant>
#include <QVector>

class CComponent;
class QColor;

class CHandwritingKeeper
{
public:
    // A text box's writing: a map of "strokes" (a list of strokes, each a list of scene points, as
    // ink keeps them), "pencolor" (a pen description), "linewidth", and "origin" (where the box stood
    // when it was written, so that the writing follows the box when it is moved).
    static const char* const c_szHandwriting;
    // The box kept by ink shown in its place: a map of "type" and "properties" (the box's properties
    // as [name, value] lists in the order they were set, which is the order a box is built in).
    static const char* const c_szTextBox;

    // Open while the writing is handed on; the strokes are in scene coordinates.
    class CScope
    {
    public:
        CScope(const QVector<QVector<QPointF>>& strokes, const QColor& color, double dWidth);
        ~CScope();
        CScope(const CScope&) = delete;
        CScope& operator=(const CScope&) = delete;

    private:
        friend class CHandwritingKeeper;
        QVariantMap m_writing;
        QRectF m_bounds;
        CScope* m_pOuter;
    };

    // The control layer's part: a text box about to be put on the board takes the writing being
    // handed on, if any.
    static void keepForInsert(CComponent& component);
    // The writing a text box whose text is being replaced is to keep; invalid when no writing is
    // handed on, the box is not under it, or the box keeps that writing already.
    static QVariant writingForNewText(CComponent& component);

    static bool hasHandwriting(const CComponent* pComponent);
    static bool hasTextBox(const CComponent* pComponent);
    // Puts the box's writing, as ink, in place of the box on the current page, or the ink's box in
    // place of the ink, as one undo step. Answers what is there now; null when nothing changed.
    static CComponent* showHandwriting(qint64 iBoxID);
    static CComponent* showText(qint64 iInkID);
};
