#include "textweightandstylewidget.h"

#include "toolpropertynames.h"

#include <QHBoxLayout>
#include <QToolButton>

CTextWeightAndStyleWidget::CTextWeightAndStyleWidget(QWidget* pParent, bool bLargeButtons) : QWidget(pParent)
{
    const int iSize = bLargeButtons ? 32 : 24;
    QHBoxLayout* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setSpacing(2);
    m_pBold = makeButton(QLatin1String(toolproperty::c_szBold), tr("B", "bold switch"), tr("Bold"), iSize);
    m_pItalic =
        makeButton(QLatin1String(toolproperty::c_szItalic), tr("I", "italic switch"), tr("Italic"), iSize);
    m_pUnderline = makeButton(QLatin1String(toolproperty::c_szUnderline), tr("U", "underline switch"),
                              tr("Underline"), iSize);
    QFont font = m_pBold->font();
    font.setBold(true);
    m_pBold->setFont(font);
    font = m_pItalic->font();
    font.setItalic(true);
    m_pItalic->setFont(font);
    font = m_pUnderline->font();
    font.setUnderline(true);
    m_pUnderline->setFont(font);
    pLayout->addWidget(m_pBold);
    pLayout->addWidget(m_pItalic);
    pLayout->addWidget(m_pUnderline);
    // The three belong together; room to spare goes after them.
    pLayout->addStretch(1);
}

CTextWeightAndStyleWidget::~CTextWeightAndStyleWidget() = default;

void CTextWeightAndStyleWidget::setWeightAndStyle(EWeightAndStyle eWeightAndStyle)
{
    m_pBold->setChecked(eWeightAndStyle & eBold);
    m_pItalic->setChecked(eWeightAndStyle & eItalic);
    m_pUnderline->setChecked(eWeightAndStyle & eUnderline);
}

CTextWeightAndStyleWidget::EWeightAndStyle CTextWeightAndStyleWidget::weightAndStyle() const
{
    return EWeightAndStyle((m_pBold->isChecked() ? eBold : 0) | (m_pItalic->isChecked() ? eItalic : 0) |
                           (m_pUnderline->isChecked() ? eUnderline : 0));
}

QToolButton* CTextWeightAndStyleWidget::button(const QString& strAttribute) const
{
    for (QToolButton* pButton : {m_pBold, m_pItalic, m_pUnderline})
        if (pButton->objectName() == strAttribute)
            return pButton;
    return nullptr;
}

QToolButton* CTextWeightAndStyleWidget::makeButton(const QString& strAttribute, const QString& strLetter,
                                                   const QString& strName, int iSize)
{
    QToolButton* pButton = new QToolButton(this);
    pButton->setObjectName(strAttribute);
    pButton->setText(strLetter);
    pButton->setToolTip(strName);
    pButton->setAccessibleName(strName);
    pButton->setCheckable(true);
    pButton->setAutoRaise(true);
    pButton->setFixedSize(iSize, iSize);
    // clicked, unlike toggled, comes only from the user's mouse or keyboard.
    connect(pButton, &QToolButton::clicked, this,
            [this, strAttribute](bool bOn) { emit signalWeightAndStyleSelected(strAttribute, bOn); });
    return pButton;
}
