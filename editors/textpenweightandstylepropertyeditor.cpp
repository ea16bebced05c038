#include "textpenweightandstylepropertyeditor.h"

#include "textpennames.h"
#include "textweightandstylewidget.h"
#include "trace.h"

#include <QPalette>
#include <QVBoxLayout>

namespace {

// The switches name the attribute only; the tool's properties carry the text pen's prefix.

} // namespace

CTextPenWeightAndStylePropertyEditor::CTextPenWeightAndStylePropertyEditor(
    const QStringList& properties, const QString& strTranslationContext, const QString& strLabel)
    : CAbstractPropertyEditor(properties, strTranslationContext, strLabel), m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::CTextPenWeightAndStylePropertyEditor");
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::CTextPenWeightAndStylePropertyEditor");
}

CTextPenWeightAndStylePropertyEditor::~CTextPenWeightAndStylePropertyEditor()
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::~CTextPenWeightAndStylePropertyEditor");
    // Once detached, the widget belongs to the surface that shows it.
    if (m_pWidget)
        delete m_pWidget;
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::~CTextPenWeightAndStylePropertyEditor");
}

void CTextPenWeightAndStylePropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::detatch");
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::detatch");
}

QStringList CTextPenWeightAndStylePropertyEditor::relatedProperties()
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::relatedProperties");
    // The text of a text box is what carries its weight and style.
    const QStringList related(QStringLiteral("string"));
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::relatedProperties");
    return related;
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenWeightAndStylePropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::clone");
    boost::shared_ptr<CTextPenWeightAndStylePropertyEditor> pClone(new CTextPenWeightAndStylePropertyEditor(
        properties(), translationContext(), untranslatedPropertyName()));
    pClone->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::clone");
    return pClone;
}

QWidget* CTextPenWeightAndStylePropertyEditor::widget()
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::widget");
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::widget");
    return m_pWidget;
}

void CTextPenWeightAndStylePropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::setValue");
    Q_UNUSED(strName);
    Q_UNUSED(value);
    // A prototype or a detached editor has nothing to show the values in.
    if (!m_pWidget) {
        TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::setValue");
        return;
    }
    // No single value (a mixed selection) shows the attribute as off.
    int iWeightAndStyle = CTextWeightAndStyleWidget::eNoWeightOrStyle;
    if (getPropertyValue(QLatin1String(textpen::c_szBold)).toBool())
        iWeightAndStyle |= CTextWeightAndStyleWidget::eBold;
    const QVariant italic = getPropertyValue(QLatin1String(textpen::c_szItalic));
    if (italic.isValid() && italic.toBool())
        iWeightAndStyle |= CTextWeightAndStyleWidget::eItalic;
    const QVariant underline = getPropertyValue(QLatin1String(textpen::c_szUnderline));
    if (underline.isValid() && underline.toBool())
        iWeightAndStyle |= CTextWeightAndStyleWidget::eUnderline;
    m_pWidget->setWeightAndStyle(iWeightAndStyle);
    m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::setValue");
}

void CTextPenWeightAndStylePropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenWeightAndStylePropertyEditorWidget(this, nullptr);
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::derivedInitialise");
}

void CTextPenWeightAndStylePropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditor::slotLanguageChanged");
    // The switches show letters and no label of the editor's.
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditor::slotLanguageChanged");
}

CTextPenWeightAndStylePropertyEditorWidget::CTextPenWeightAndStylePropertyEditorWidget(
    CTextPenWeightAndStylePropertyEditor* pEditor, QWidget* pParent)
    : QWidget(pParent, Qt::WindowFlags()), m_pEditor(pEditor), m_pWeightAndStyleWidget(nullptr)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditorWidget::CTextPenWeightAndStylePropertyEditorWidget");
    // Dark text whatever the surface's palette, as on the host's own text controls.
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(Qt::black, Qt::SolidPattern));
    setPalette(palette);

    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pWeightAndStyleWidget = new CTextWeightAndStyleWidget(pParent, false);
    pLayout->addWidget(m_pWeightAndStyleWidget);
    connect(m_pWeightAndStyleWidget, SIGNAL(signalWeightAndStyleSelected(const QString&, bool)), this,
            SLOT(slotWeightAndStyleSelected(const QString&, bool)));
    setFixedSize(sizeHint());
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditorWidget::CTextPenWeightAndStylePropertyEditorWidget");
}

void CTextPenWeightAndStylePropertyEditorWidget::setWeightAndStyle(int iWeightAndStyle)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditorWidget::setWeightAndStyle");
    m_pWeightAndStyleWidget->setWeightAndStyle(CTextWeightAndStyleWidget::EWeightAndStyle(iWeightAndStyle));
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditorWidget::setWeightAndStyle");
}

void CTextPenWeightAndStylePropertyEditorWidget::slotWeightAndStyleSelected(const QString& strAttribute,
                                                                            bool bOn)
{
    TRACE_ENTER("CTextPenWeightAndStylePropertyEditorWidget::slotWeightAndStyleSelected");
    // Only the attribute the user toggled is applied; the other two stay as they are.
    m_pEditor->applyPropertyValue(QLatin1String(textpen::c_szPropertyPrefix) + strAttribute, QVariant(bOn),
                                  CAbstractPropertyEditor::eUpdatePropertyOnly,
                                  CAbstractPropertyEditor::eValueOwnStep);
    TRACE_EXIT("CTextPenWeightAndStylePropertyEditorWidget::slotWeightAndStyleSelected");
}
