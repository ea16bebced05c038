#include "textpenfillcolourpropertyeditor.h"

#include "fillcolourwidget.h"
#include "penbase.h"
#include "trace.h"

#include <QColor>
#include <QLabel>
#include <QVBoxLayout>

CTextPenFillColourPropertyEditor::CTextPenFillColourPropertyEditor(const QString& strProperty,
                                                                   const QString& strTranslationContext,
                                                                   const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::CTextPenFillColourPropertyEditor");
    TRACE_EXIT("CTextPenFillColourPropertyEditor::CTextPenFillColourPropertyEditor");
}

CTextPenFillColourPropertyEditor::~CTextPenFillColourPropertyEditor()
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::~CTextPenFillColourPropertyEditor");
    delete m_pWidget;
    TRACE_EXIT("CTextPenFillColourPropertyEditor::~CTextPenFillColourPropertyEditor");
}

void CTextPenFillColourPropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::detatch");
    // The widget now belongs to the surface that shows it and goes with it.
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenFillColourPropertyEditor::detatch");
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenFillColourPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::clone");
    const boost::shared_ptr<CTextPenFillColourPropertyEditor> pEditor(
        new CTextPenFillColourPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pEditor->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenFillColourPropertyEditor::clone");
    return pEditor;
}

QWidget* CTextPenFillColourPropertyEditor::widget()
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::widget");
    TRACE_EXIT("CTextPenFillColourPropertyEditor::widget");
    return m_pWidget;
}

void CTextPenFillColourPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::setValue");
    Q_UNUSED(strName);
    Q_UNUSED(value);
    // A prototype or a detached editor has nothing to show the value in.
    if (m_pWidget) {
        // The value shown is always the one the host holds now, whatever the caller passed.
        m_pWidget->setCurrentColour(getPropertyValue(property()));
        m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    }
    TRACE_EXIT("CTextPenFillColourPropertyEditor::setValue");
}

void CTextPenFillColourPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenFillColourPropertyEditorWidget(this, nullptr);
    m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenFillColourPropertyEditor::derivedInitialise");
}

void CTextPenFillColourPropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditor::slotLanguageChanged");
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    // A detached editor no longer has a widget to relabel.
    if (m_pWidget)
        m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenFillColourPropertyEditor::slotLanguageChanged");
}

CTextPenFillColourPropertyEditorWidget::CTextPenFillColourPropertyEditorWidget(
    CTextPenFillColourPropertyEditor* pEditor, QWidget* pParent)
    : CPropertyEditorWidget(pParent), m_pEditor(pEditor), m_pColourWidget(nullptr), m_pGroupLabel(nullptr)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditorWidget::CTextPenFillColourPropertyEditorWidget");
    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    // The compact context bar has no room for a label above the chooser.
    if (!(m_pEditor->context() & CAbstractPropertyEditor::eContextbarContext)) {
        m_pGroupLabel = new QLabel(this);
        pLayout->addWidget(m_pGroupLabel);
    }
    m_pColourWidget = new CFillcolourWidget(this);
    pLayout->addWidget(m_pColourWidget);
    connect(m_pColourWidget, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
            SLOT(slotColorSelected(const QString&)));
    setFixedSize(sizeHint());
    TRACE_EXIT("CTextPenFillColourPropertyEditorWidget::CTextPenFillColourPropertyEditorWidget");
}

CTextPenFillColourPropertyEditorWidget::~CTextPenFillColourPropertyEditorWidget()
{
    TRACE_ENTER("CTextPenFillColourPropertyEditorWidget::~CTextPenFillColourPropertyEditorWidget");
    disconnect(m_pColourWidget, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
               SLOT(slotColorSelected(const QString&)));
    delete m_pColourWidget;
    TRACE_EXIT("CTextPenFillColourPropertyEditorWidget::~CTextPenFillColourPropertyEditorWidget");
}

void CTextPenFillColourPropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditorWidget::setGroupLabel");
    if (m_pGroupLabel) {
        m_pGroupLabel->setText(strLabel);
        setFixedSize(sizeHint());
    }
    TRACE_EXIT("CTextPenFillColourPropertyEditorWidget::setGroupLabel");
}

void CTextPenFillColourPropertyEditorWidget::setCurrentColour(const QVariant& value)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditorWidget::setCurrentColour");
    // The chooser speaks in pen descriptions: the colour's alpha picks the kind of shade.
    QVariant shown = value;
    if (value.isValid()) {
        const QColor colour = value.value<QColor>();
        if (!colour.isValid())
            shown = QVariant(); // a value that names no colour is no single colour either
        else if (colour.alpha() == 0)
            shown = QVariant(QStringLiteral("null"));
        else if (colour.alpha() == 255)
            shown = QVariant(QStringLiteral("normal;") + CPenBase::encodeColor(colour));
        else
            shown = QVariant(QStringLiteral("highlighter;") + CPenBase::encodeColor(colour));
    }
    m_pColourWidget->setEnabled(true);
    m_pColourWidget->setCurrentColor(shown);
    TRACE_EXIT("CTextPenFillColourPropertyEditorWidget::setCurrentColour");
}

void CTextPenFillColourPropertyEditorWidget::slotColorSelected(const QString& strColor)
{
    TRACE_ENTER("CTextPenFillColourPropertyEditorWidget::slotColorSelected");
    // Only the colour is stored; the pen type before ";" is the chooser's way of showing it.
    const QStringList parts = strColor.split(QLatin1Char(';'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() > 1) {
        const QVariant value(CPenBase::decodeColor(parts.at(1)));
        m_pEditor->applyPropertyValue(value, CAbstractPropertyEditor::eUpdateColourActions,
                                      CAbstractPropertyEditor::eValueOwnStep);
    }
    TRACE_EXIT("CTextPenFillColourPropertyEditorWidget::slotColorSelected");
}
