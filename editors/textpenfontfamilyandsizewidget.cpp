#include "textpenfontfamilyandsizewidget.h"

#include "trace.h"

#include <QFont>
#include <QFontInfo>
#include <QIcon>

CTextPenFontFamilyAndSizeWidget::CTextPenFontFamilyAndSizeWidget(QWidget* pParent, int iDisplayMode)
    : CTextPropertiesWidgetBase(pParent)
{
    TRACE_ENTER("CTextPenFontFamilyAndSizeWidget::CTextPenFontFamilyAndSizeWidget");
    setupUi(this);
    fontSizeComboBox->setInsertPolicy(QComboBox::InsertAlphabetically);
    fontFamilyComboBox->setFontFilters(QFontComboBox::ScalableFonts);
    fontSizeComboBox->setEnabled(false);
    // activated comes from the user alone, so showing a family from code sends nothing back.
    connect(fontFamilyComboBox, SIGNAL(activated(const QString&)), this,
            SLOT(slotFontFamilyChanged(const QString&)));
    fontFamilyComboBox->setFixedHeight(30);
    fontSizeComboBox->setFixedHeight(30);
    if (iDisplayMode == 1) {
        fontSizeComboBox->hide();
    } else if (iDisplayMode == 2) {
        fontFamilyComboBox->hide();
        resize(50, 30);
    }
    TRACE_EXIT("CTextPenFontFamilyAndSizeWidget::CTextPenFontFamilyAndSizeWidget");
}

void CTextPenFontFamilyAndSizeWidget::setFontFamily(const QString& family)
{
    TRACE_ENTER("CTextPenFontFamilyAndSizeWidget::setFontFamily");
    const int iMixed = fontFamilyComboBox->findText(QString());
    if (iMixed >= 0)
        fontFamilyComboBox->removeItem(iMixed);
    if (!family.isEmpty()) {
        // The box lists the families the font system has, which may not be the name asked for.
        const QString strResolved = QFontInfo(QFont(family)).family();
        fontFamilyComboBox->setCurrentIndex(fontFamilyComboBox->findText(strResolved));
    } else {
        fontFamilyComboBox->insertItem(0, QIcon(), QString());
        fontFamilyComboBox->setCurrentIndex(0);
    }
    TRACE_EXIT("CTextPenFontFamilyAndSizeWidget::setFontFamily");
}

void CTextPenFontFamilyAndSizeWidget::slotFontFamilyChanged(const QString& family)
{
    TRACE_ENTER("CTextPenFontFamilyAndSizeWidget::slotFontFamilyChanged");
    // The mixed state's entry is no family to apply.
    if (!family.isEmpty())
        emit signalFontFamilyOrSizeSelected(family + QLatin1Char(';') + fontSizeComboBox->currentText());
    TRACE_EXIT("CTextPenFontFamilyAndSizeWidget::slotFontFamilyChanged");
}
