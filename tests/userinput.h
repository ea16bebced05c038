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

// Opens the box's list, moves the highlight to the entry and presses Return, as a keyboard user would.
inline void pickFromList(QComboBox* pBox, int iIndex)
{
    pBox->showPopup();
    pBox->view()->setCurrentIndex(pBox->view()->model()->index(iIndex, pBox->modelColumn()));
    QTest::keyClick(pBox->view(), Qt::Key_Return);
}
