#include "fonttoolpropertyeditor.h"

#include "fontcombobox.h"
#include "toolpropertynames.h"

#include <QHBoxLayout>
#include <QSpinBox>

CFontToolPropertyEditor::CFontToolPropertyEditor()
    : CHostPropertyEditor(
          {QLatin1String(toolproperty::c_szFontFamily), QLatin1String(toolproperty::c_szFontSize)},
          QT_TRANSLATE_NOOP("CPropertyEditorManager", "Font"),
          []() -> CHostPropertyEditor* { return new CFontToolPropertyEditor(); })
{
}

QWidget* CFontToolPropertyEditor::makeWidget()
{
    QWidget* pRow = new QWidget();
    QHBoxLayout* pLayout = new QHBoxLayout(pRow);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pFamily = new CFontComboBox(pRow);
    // The family list is as wide as its longest name otherwise, wider than the panel.
    m_pFamily->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pFamily->setMinimumContentsLength(10);
    m_pSize = new QSpinBox(pRow);
    m_pSize->setRange(6, 288);
    m_pSize->setSuffix(tr(" pt"));
    m_pSize->setToolTip(tr("Font size"));
    pLayout->addWidget(m_pFamily, 1);
    pLayout->addWidget(m_pSize);
    // activated, unlike currentFontChanged, comes only from the user.
    connect(m_pFamily, QOverload<int>::of(&QComboBox::activated), this, [this] {
        applyPropertyValue(QLatin1String(toolproperty::c_szFontFamily), m_pFamily->currentFont().family());
    });
    connect(m_pSize, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int iSize) {
        applyPropertyValue(QLatin1String(toolproperty::c_szFontSize), double(iSize), eUpdatePropertyOnly,
                           eValueMergeWithPrevious);
    });
    return pRow;
}

void CFontToolPropertyEditor::showValue(const QString& strName, const QVariant& value)
{
    if (strName == QLatin1String(toolproperty::c_szFontFamily) && m_pFamily) {
        const QSignalBlocker blocker(m_pFamily);
        m_pFamily->setCurrentFont(QFont(value.toString()));
    } else if (m_pSize) {
        // Showing the value is no change of the user's.
        const QSignalBlocker blocker(m_pSize);
        m_pSize->setValue(qRound(value.toDouble()));
    }
}
