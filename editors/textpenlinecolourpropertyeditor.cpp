#include "textpenlinecolourpropertyeditor.h"

#include "penbase.h"
#include "pencolourwidget.h"
#include "textpennames.h"
#include "trace.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// These pens draw their own kind of line, which only the plain solid style leaves intact.
bool forcesLineStyle(const QString& strPenType)
{
    return strPenType == QLatin1String("edge") || strPenType == QLatin1String("shadow") ||
           strPenType == QLatin1String("texture") || strPenType == QLatin1String("tube");
}

} // namespace

CTextPenLineColourPropertyEditor::CTextPenLineColourPropertyEditor(const QString& strProperty,
                                                                   const QString& strTranslationContext,
                                                                   const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::CTextPenLineColourPropertyEditor");
    TRACE_EXIT("CTextPenLineColourPropertyEditor::CTextPenLineColourPropertyEditor");
}

CTextPenLineColourPropertyEditor::~CTextPenLineColourPropertyEditor()
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::~CTextPenLineColourPropertyEditor");
    delete m_pWidget;
    TRACE_EXIT("CTextPenLineColourPropertyEditor::~CTextPenLineColourPropertyEditor");
}

void CTextPenLineColourPropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::detatch");
    // The widget now belongs to the surface that shows it and goes with it.
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenLineColourPropertyEditor::detatch");
}

QStringList CTextPenLineColourPropertyEditor::relatedProperties()
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::relatedProperties");
    TRACE_EXIT("CTextPenLineColourPropertyEditor::relatedProperties");
    return QStringList();
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenLineColourPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::clone");
    const boost::shared_ptr<CTextPenLineColourPropertyEditor> pEditor(
        new CTextPenLineColourPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pEditor->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenLineColourPropertyEditor::clone");
    return pEditor;
}

QWidget* CTextPenLineColourPropertyEditor::widget()
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::widget");
    TRACE_EXIT("CTextPenLineColourPropertyEditor::widget");
    return m_pWidget;
}

void CTextPenLineColourPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::setValue");
    Q_UNUSED(value);
    // A prototype or a detached editor has nothing to show the value in.
    if (m_pWidget) {
        // Only the tool's own outline colour is shown; other names leave the chooser as it is.
        if ((context() & eToolContext) && strName == property())
            m_pWidget->setCurrentColour(getPropertyValue(property()));
        m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    }
    TRACE_EXIT("CTextPenLineColourPropertyEditor::setValue");
}

void CTextPenLineColourPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenLineColourPropertyEditorWidget(this, nullptr);
    m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenLineColourPropertyEditor::derivedInitialise");
}

void CTextPenLineColourPropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditor::slotLanguageChanged");
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    // A detached editor no longer has a widget to relabel.
    if (m_pWidget)
        m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenLineColourPropertyEditor::slotLanguageChanged");
}

CTextPenLineColourPropertyEditorWidget::CTextPenLineColourPropertyEditorWidget(
    CTextPenLineColourPropertyEditor* pEditor, QWidget* pParent)
    : CPropertyEditorWidget(pParent), m_pEditor(pEditor), m_pColourWidget(nullptr), m_pGroupLabel(nullptr)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditorWidget::CTextPenLineColourPropertyEditorWidget");
    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    // The compact context bar has no room for a label above the chooser.
    if (!(m_pEditor->context() & CAbstractPropertyEditor::eContextbarContext)) {
        m_pGroupLabel = new QLabel(this);
        pLayout->addWidget(m_pGroupLabel);
    }
    m_pColourWidget = new CPencolourWidget(this);
    pLayout->addWidget(m_pColourWidget);
    connect(m_pColourWidget, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
            SLOT(slotColorSelected(const QString&)));
    setFixedSize(sizeHint());
    TRACE_EXIT("CTextPenLineColourPropertyEditorWidget::CTextPenLineColourPropertyEditorWidget");
}

CTextPenLineColourPropertyEditorWidget::~CTextPenLineColourPropertyEditorWidget()
{
    TRACE_ENTER("CTextPenLineColourPropertyEditorWidget::~CTextPenLineColourPropertyEditorWidget");
    disconnect(m_pColourWidget, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
               SLOT(slotColorSelected(const QString&)));
    delete m_pColourWidget;
    TRACE_EXIT("CTextPenLineColourPropertyEditorWidget::~CTextPenLineColourPropertyEditorWidget");
}

void CTextPenLineColourPropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditorWidget::setGroupLabel");
    if (m_pGroupLabel) {
        m_pGroupLabel->setText(strLabel);
        setFixedSize(sizeHint());
    }
    TRACE_EXIT("CTextPenLineColourPropertyEditorWidget::setGroupLabel");
}

void CTextPenLineColourPropertyEditorWidget::setCurrentColour(const QVariant& value)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditorWidget::setCurrentColour");
    m_pColourWidget->setEnabled(true);
    // The tool's outline may be switched off, so its chooser must offer no colour as well.
    if (m_pEditor->context() & CAbstractPropertyEditor::eToolContext)
        m_pColourWidget->addNoneColourShade();
    m_pColourWidget->setCurrentColor(value);
    TRACE_EXIT("CTextPenLineColourPropertyEditorWidget::setCurrentColour");
}

void CTextPenLineColourPropertyEditorWidget::slotColorSelected(const QString& strColor)
{
    TRACE_ENTER("CTextPenLineColourPropertyEditorWidget::slotColorSelected");
    const QString strType = CPenBase::getPenType(strColor);
    const QVariant colour(strColor);
    setCurrentColour(colour);
    if (forcesLineStyle(strType)) {
        // One change of the user's: the pen and the style it needs go together.
        const QVector<QPair<QString, QVariant>> values = {
            qMakePair(m_pEditor->property(), colour),
            qMakePair(QString::fromLatin1(textpen::c_szLineStyle), QVariant(1))};
        m_pEditor->applyPropertyValues(values, CAbstractPropertyEditor::eUpdateColourActions,
                                       CAbstractPropertyEditor::eValueOwnStep);
    } else {
        m_pEditor->applyPropertyValue(colour, CAbstractPropertyEditor::eUpdateColourActions,
                                      CAbstractPropertyEditor::eValueOwnStep);
    }
    TRACE_EXIT("CTextPenLineColourPropertyEditorWidget::slotColorSelected");
}
