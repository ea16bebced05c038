// What a user does to a control on screen.
#pragma once

#include <QAbstractItemView>
#include <QComboBox>
#include <QtTest>

// Shown, so that the widget takes clicks as on screen; null if it never appears.
inline QWidget* shown(QWidget* pWidget)
{
    pWidget->show();
    return QTest::qWaitForWindowExposed(pWidget) ? pWidget : nullptr;
}

// One stroke drawn with the mouse on the board's viewport. The last point comes with the release only,
// as it does when the pen lifts off quickly.
inline void drawStroke(QWidget* pViewport, const QVector<QPoint>& points)
{
    QTest::mousePress(pViewport, Qt::LeftButton, Qt::NoModifier, points.first());
    for (const QPoint& point : points.mid(1, points.size() - 2)) {
        QMouseEvent move(QEvent::MouseMove, point, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pViewport, &move);
    }
    QTest::mouseRelease(pViewport, Qt::LeftButton, Qt::NoModifier, points.last());
}

// A zig-zag word of three strokes drawn with the mouse inside rect of the board's viewport.
inline void drawZigZagWord(QWidget* pViewport, const QRect& rect)
{
    for (int iStroke = 0; iStroke < 3; ++iStroke) {
        const int iLeft = rect.left() + iStroke * rect.width() / 3;
        QVector<QPoint> points{QPoint(iLeft, rect.bottom())};
        for (int i = 1; i <= 8; ++i)
            points.append(QPoint(iLeft + i * rect.width() / 24, i % 2 ? rect.top() : rect.bottom()));
        points.append(QPoint(iLeft + rect.width() / 3, rect.bottom()));
        drawStroke(pViewport, points);
    }
}

// Opens the box's list, moves the highlight to the entry and presses Return, as a keyboard user would.
inline void pickFromList(QComboBox* pBox, int iIndex)
{
    pBox->showPopup();
    pBox->view()->setCurrentIndex(pBox->view()->model()->index(iIndex, pBox->modelColumn()));
    QTest::keyClick(pBox->view(), Qt::Key_Return);
}
