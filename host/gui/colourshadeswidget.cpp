#include "colourshadeswidget.h"

#include "colourswatch.h"
#include "penbase.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QToolButton>

namespace {

const QSize c_swatchSize(18, 18);
const int c_iColumns = 8;
const char* const c_szDescription = "description";

QString descriptionOf(const QAbstractButton* pButton)
{
    return pButton->property(c_szDescription).toString();
}

QString penTypeOf(const QString& strDescription)
{
    return strDescription.section(QLatin1Char(';'), 0, 0).trimmed();
}

} // namespace

CColourShadesWidget::CColourShadesWidget(QWidget* pParent)
    : QWidget(pParent), m_pGrid(new QGridLayout(this)), m_pGroup(new QButtonGroup(this))
{
    m_pGrid->setContentsMargins(0, 0, 0, 0);
    m_pGrid->setSpacing(2);
    // Clicks only: a shade checked from code must not be taken for the user's choice.
    connect(m_pGroup, QOverload<QAbstractButton*>::of(&QButtonGroup::buttonClicked), this,
            [this](QAbstractButton* pButton) { emit signalTypeAndColourSelected(descriptionOf(pButton)); });
}

CColourShadesWidget::~CColourShadesWidget() = default;

void CColourShadesWidget::setCurrentColor(const QVariant& value)
{
    const QString strDescription = value.isValid() ? value.toString().trimmed() : QString();
    if (strDescription.isEmpty()) {
        uncheckAll();
        return;
    }
    QAbstractButton* pShade = findShade(strDescription);
    if (!pShade) {
        const QColor color = CPenBase::decodeColor(strDescription);
        // Only a whole pen description gets a shade of its own: a shade is sent back as it is when
        // clicked, and a bare number or colour is no pen.
        if (CPenBase::getPenType(strDescription).isEmpty() || !color.isValid()) {
            uncheckAll();
            return;
        }
        if (!m_pOwnColour) {
            m_pOwnColour = makeButton(strDescription, QIcon(), QString());
            layOut();
        }
        m_pOwnColour->setProperty(c_szDescription, strDescription);
        m_pOwnColour->setIcon(CColourSwatch::icon(color, c_swatchSize));
        m_pOwnColour->setToolTip(strDescription);
        pShade = m_pOwnColour;
    }
    pShade->setChecked(true);
}

QString CColourShadesWidget::currentDescription() const
{
    const QAbstractButton* pChecked = m_pGroup->checkedButton();
    return pChecked ? descriptionOf(pChecked) : QString();
}

QStringList CColourShadesWidget::shadeDescriptions() const
{
    QStringList descriptions;
    for (const QAbstractButton* pShade : m_shades)
        descriptions.append(descriptionOf(pShade));
    if (m_pOwnColour)
        descriptions.append(descriptionOf(m_pOwnColour));
    return descriptions;
}

QAbstractButton* CColourShadesWidget::shadeButton(const QString& strDescription) const
{
    for (QAbstractButton* pShade : m_shades)
        if (descriptionOf(pShade) == strDescription)
            return pShade;
    return m_pOwnColour && descriptionOf(m_pOwnColour) == strDescription ? m_pOwnColour : nullptr;
}

void CColourShadesWidget::addShade(const QString& strDescription, const QColor& color, const QString& strName)
{
    m_shades.append(makeButton(strDescription, CColourSwatch::icon(color, c_swatchSize), strName));
    layOut();
}

void CColourShadesWidget::addNoneShade(const QString& strDescription)
{
    m_shades.prepend(makeButton(strDescription, CColourSwatch::noneIcon(c_swatchSize), tr("No colour")));
    layOut();
}

bool CColourShadesWidget::hasShade(const QString& strDescription) const
{
    for (const QAbstractButton* pShade : m_shades)
        if (descriptionOf(pShade) == strDescription)
            return true;
    return false;
}

QAbstractButton* CColourShadesWidget::makeButton(const QString& strDescription, const QIcon& icon,
                                                 const QString& strName)
{
    QToolButton* pButton = new QToolButton(this);
    pButton->setCheckable(true);
    pButton->setAutoRaise(true);
    pButton->setIcon(icon);
    pButton->setIconSize(c_swatchSize);
    pButton->setToolTip(strName);
    pButton->setAccessibleName(strName);
    pButton->setProperty(c_szDescription, strDescription);
    m_pGroup->addButton(pButton);
    return pButton;
}

QAbstractButton* CColourShadesWidget::findShade(const QString& strDescription) const
{
    // The same pen in other spellings ("#ff0000" for "#FFFF0000") is the same shade; a value without
    // a colour ("null", "null;") matches the shade for no colour by its pen type.
    const QString strType = penTypeOf(strDescription);
    const QColor color = CPenBase::decodeColor(strDescription);
    for (QAbstractButton* pShade : m_shades) {
        const QString strShade = descriptionOf(pShade);
        if (strShade == strDescription)
            return pShade;
        if (penTypeOf(strShade) != strType)
            continue;
        const QColor shadeColor = CPenBase::decodeColor(strShade);
        if (strType == QLatin1String("null") || (color.isValid() && shadeColor == color))
            return pShade;
    }
    return nullptr;
}

void CColourShadesWidget::uncheckAll()
{
    // An exclusive group keeps one button checked whatever is asked of it.
    m_pGroup->setExclusive(false);
    for (QAbstractButton* pButton : m_pGroup->buttons())
        pButton->setChecked(false);
    m_pGroup->setExclusive(true);
}

void CColourShadesWidget::layOut()
{
    QList<QAbstractButton*> buttons = m_shades;
    if (m_pOwnColour)
        buttons.append(m_pOwnColour);
    // Taken out first: a widget added to the layout it is already in would be moved with a warning.
    for (QAbstractButton* pButton : buttons)
        m_pGrid->removeWidget(pButton);
    for (int i = 0; i < buttons.size(); ++i)
        m_pGrid->addWidget(buttons.at(i), i / c_iColumns, i % c_iColumns);
}
