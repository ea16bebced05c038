#include "showcandidatespropertyeditor.h"

#include "languagemanager.h"
#include "trace.h"

#include <QCheckBox>
#include <QHBoxLayout>

CShowCandidatesPropertyEditor::CShowCandidatesPropertyEditor(const QString& strProperty,
                                                             const QString& strTranslationContext,
                                                             const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::CShowCandidatesPropertyEditor");
    TRACE_EXIT("CShowCandidatesPropertyEditor::CShowCandidatesPropertyEditor");
}

CShowCandidatesPropertyEditor::~CShowCandidatesPropertyEditor()
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::~CShowCandidatesPropertyEditor");
    delete m_pWidget;
    TRACE_EXIT("CShowCandidatesPropertyEditor::~CShowCandidatesPropertyEditor");
}

void CShowCandidatesPropertyEditor::detatch()
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::detatch");
    // The widget now belongs to the surface that shows it and goes with it.
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CShowCandidatesPropertyEditor::detatch");
}

boost::shared_ptr<CAbstractPropertyEditor>
CShowCandidatesPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::clone");
    const boost::shared_ptr<CShowCandidatesPropertyEditor> pEditor(
        new CShowCandidatesPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pEditor->initialise(pManager, eContext);
    TRACE_EXIT("CShowCandidatesPropertyEditor::clone");
    return pEditor;
}

QWidget* CShowCandidatesPropertyEditor::widget()
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::widget");
    TRACE_EXIT("CShowCandidatesPropertyEditor::widget");
    return m_pWidget;
}

void CShowCandidatesPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::setValue");
    // A prototype or a detached editor has nothing to show the value in.
    if (m_pWidget) {
        if (strName == property()) {
            // No single value (an invalid variant) is shown as the third, partial state.
            const Qt::CheckState eState =
                !value.isValid() ? Qt::PartiallyChecked : (value.toBool() ? Qt::Checked : Qt::Unchecked);
            m_pWidget->setCheckboxState(eState);
        }
        m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    }
    TRACE_EXIT("CShowCandidatesPropertyEditor::setValue");
}

void CShowCandidatesPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CShowCandidatesPropertyEditor::derivedInitialise");
    m_pWidget = new CShowCandidatesPropertyEditorWidget(this, nullptr);
    m_pWidget->setGroupLabel(localisedPropertyName());
    // Laid out once, in the direction of the language in use now; later changes are not followed.
    const CLanguageManager languageManager;
    m_pWidget->setLanguageChanged(languageManager.isRightToLeft());
    TRACE_EXIT("CShowCandidatesPropertyEditor::derivedInitialise");
}

CShowCandidatesPropertyEditorWidget::CShowCandidatesPropertyEditorWidget(
    CShowCandidatesPropertyEditor* pEditor, QWidget* pParent)
    : CPropertyEditorWidget(pParent), m_pEditor(pEditor), m_pCheckBox(nullptr)
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::CShowCandidatesPropertyEditorWidget");
    QHBoxLayout* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pCheckBox = new QCheckBox(tr("Show alternatives"), this);
    pLayout->setAlignment(Qt::AlignLeft);
    connect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pCheckBox);
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::CShowCandidatesPropertyEditorWidget");
}

CShowCandidatesPropertyEditorWidget::~CShowCandidatesPropertyEditorWidget()
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::~CShowCandidatesPropertyEditorWidget");
    // The check box goes down with the widget; its last state changes must not reach the editor.
    disconnect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::~CShowCandidatesPropertyEditorWidget");
}

void CShowCandidatesPropertyEditorWidget::setCheckboxState(Qt::CheckState eState)
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::setCheckboxState");
    // Showing the host's value must not come back as a change of the user's.
    disconnect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    m_pCheckBox->setTristate(eState == Qt::PartiallyChecked);
    m_pCheckBox->setCheckState(eState);
    m_pCheckBox->setEnabled(true);
    connect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::setCheckboxState");
}

void CShowCandidatesPropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::setGroupLabel");
    if (m_pCheckBox)
        m_pCheckBox->setText(strLabel);
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::setGroupLabel");
}

void CShowCandidatesPropertyEditorWidget::setLanguageChanged(bool bIsRightToLeft)
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::setLanguageChanged");
    const Qt::LayoutDirection eDirection = bIsRightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
    m_pCheckBox->setLayoutDirection(eDirection);
    setLayoutDirection(eDirection);
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::setLanguageChanged");
}

void CShowCandidatesPropertyEditorWidget::slotCheckboxChanged(int iNewStatus)
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::slotCheckboxChanged");
    // The partial state only ever shows "no single value"; it is no choice of the user's.
    if (iNewStatus != Qt::PartiallyChecked)
        m_pEditor->applyPropertyValue(QVariant(iNewStatus == Qt::Checked),
                                      CAbstractPropertyEditor::eUpdatePropertyOnly,
                                      CAbstractPropertyEditor::eValueOwnStep);
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::slotCheckboxChanged");
}

void CShowCandidatesPropertyEditorWidget::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CShowCandidatesPropertyEditorWidget::slotLanguageChanged");
    Q_UNUSED(strLocale);
    setLanguageChanged(bIsRightToLeft);
    setFixedSize(sizeHint());
    TRACE_EXIT("CShowCandidatesPropertyEditorWidget::slotLanguageChanged");
}
