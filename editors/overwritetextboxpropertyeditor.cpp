#include "overwritetextboxpropertyeditor.h"

#include "controlsignalsource.h"
#include "trace.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

COverWriteTextBoxPropertyEditor::COverWriteTextBoxPropertyEditor(const QString& strProperty,
                                                                 const QString& strTranslationContext,
                                                                 const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::COverWriteTextBoxPropertyEditor");
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::COverWriteTextBoxPropertyEditor");
}

COverWriteTextBoxPropertyEditor::~COverWriteTextBoxPropertyEditor()
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::~COverWriteTextBoxPropertyEditor");
    delete m_pWidget;
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::~COverWriteTextBoxPropertyEditor");
}

void COverWriteTextBoxPropertyEditor::detatch()
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::detatch");
    // The widget now belongs to the surface that shows it and goes with it.
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::detatch");
}

boost::shared_ptr<CAbstractPropertyEditor>
COverWriteTextBoxPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::clone");
    const boost::shared_ptr<COverWriteTextBoxPropertyEditor> pEditor(
        new COverWriteTextBoxPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pEditor->initialise(pManager, eContext);
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::clone");
    return pEditor;
}

QWidget* COverWriteTextBoxPropertyEditor::widget()
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::widget");
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::widget");
    return m_pWidget;
}

void COverWriteTextBoxPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::setValue");
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
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::setValue");
}

void COverWriteTextBoxPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::derivedInitialise");
    m_pWidget = new COverWriteTextBoxPropertyEditorWidget(this, nullptr);
    m_pWidget->setGroupLabel(localisedPropertyName());
    connect(CControlSignalSource::get(), SIGNAL(signalLanguageChanged(QString, bool)), this,
            SLOT(slotLanguageChanged(QString, bool)));
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::derivedInitialise");
}

void COverWriteTextBoxPropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditor::slotLanguageChanged");
    Q_UNUSED(strLocale);
    // A detached editor stays connected but no longer has a widget to relabel.
    if (m_pWidget) {
        m_pWidget->setGroupLabel(localisedPropertyName());
        m_pWidget->setLanguageChanged(bIsRightToLeft);
    }
    TRACE_EXIT("COverWriteTextBoxPropertyEditor::slotLanguageChanged");
}

COverWriteTextBoxPropertyEditorWidget::COverWriteTextBoxPropertyEditorWidget(
    COverWriteTextBoxPropertyEditor* pEditor, QWidget* pParent)
    : CPropertyEditorWidget(pParent), m_pEditor(pEditor), m_pLabel(nullptr), m_pCheckBox(nullptr)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::COverWriteTextBoxPropertyEditorWidget");
    QHBoxLayout* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pCheckBox = new QCheckBox(this);
    pLayout->setAlignment(Qt::AlignLeft);
    connect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    m_pLabel = new QLabel(tr("Overwrite text"), this, Qt::WindowFlags());
    m_pLabel->setAlignment(Qt::AlignLeft);
    pLayout->setSpacing(0);
    pLayout->addWidget(m_pCheckBox);
    pLayout->addWidget(m_pLabel);
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::COverWriteTextBoxPropertyEditorWidget");
}

COverWriteTextBoxPropertyEditorWidget::~COverWriteTextBoxPropertyEditorWidget()
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::~COverWriteTextBoxPropertyEditorWidget");
    // The check box goes down with the widget; its last state changes must not reach the editor.
    disconnect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::~COverWriteTextBoxPropertyEditorWidget");
}

void COverWriteTextBoxPropertyEditorWidget::setCheckboxState(Qt::CheckState eState)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::setCheckboxState");
    // Showing the host's value must not come back as a change of the user's.
    disconnect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    m_pCheckBox->setTristate(eState == Qt::PartiallyChecked);
    m_pCheckBox->setCheckState(eState);
    m_pCheckBox->setEnabled(true);
    connect(m_pCheckBox, SIGNAL(stateChanged(int)), this, SLOT(slotCheckboxChanged(int)));
    setLanguageChanged(QApplication::layoutDirection() == Qt::RightToLeft);
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::setCheckboxState");
}

void COverWriteTextBoxPropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::setGroupLabel");
    if (m_pLabel)
        m_pLabel->setText(strLabel);
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::setGroupLabel");
}

void COverWriteTextBoxPropertyEditorWidget::setLanguageChanged(bool bIsRightToLeft)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::setLanguageChanged");
    m_pCheckBox->setLayoutDirection(bIsRightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::setLanguageChanged");
}

void COverWriteTextBoxPropertyEditorWidget::slotCheckboxChanged(int iNewStatus)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::slotCheckboxChanged");
    // The partial state only ever shows "no single value"; it is no choice of the user's.
    if (iNewStatus != Qt::PartiallyChecked)
        m_pEditor->applyPropertyValue(QVariant(iNewStatus == Qt::Checked),
                                      CAbstractPropertyEditor::eUpdatePropertyOnly,
                                      CAbstractPropertyEditor::eValueOwnStep);
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::slotCheckboxChanged");
}

void COverWriteTextBoxPropertyEditorWidget::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("COverWriteTextBoxPropertyEditorWidget::slotLanguageChanged");
    Q_UNUSED(strLocale);
    setLanguageChanged(bIsRightToLeft);
    setFixedSize(sizeHint());
    TRACE_EXIT("COverWriteTextBoxPropertyEditorWidget::slotLanguageChanged");
}
