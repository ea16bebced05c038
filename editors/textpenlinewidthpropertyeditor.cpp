#include "textpenlinewidthpropertyeditor.h"

#include "controllayer.h"
#include "penwidthwidget.h"
#include "selectionmanager.h"
#include "serviceslayer.h"
#include "textpennames.h"
#include "trace.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// The tool keeps widths in its own units; components on the board keep them in the board's. The
// width needs scaling whenever the value may come from or go to selected components.
bool widthIsConverted(int iContext)
{
    if (!(iContext & CAbstractPropertyEditor::eToolContext))
        return true;
    if (!(iContext & CAbstractPropertyEditor::eSelectionContext))
        return false;
    const CSelectionManager* pSelection = CControlLayer::get()->getSelectionManager();
    return pSelection && pSelection->countCurrentlySelected() > 0;
}

double lpToDpRatio()
{
    return CServicesLayer::get()->getLPToDPRatio();
}

} // namespace

CTextPenLineWidthPropertyEditor::CTextPenLineWidthPropertyEditor(const QString& strProperty,
                                                                 const QString& strTranslationContext,
                                                                 const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::CTextPenLineWidthPropertyEditor");
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::CTextPenLineWidthPropertyEditor");
}

CTextPenLineWidthPropertyEditor::~CTextPenLineWidthPropertyEditor()
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::~CTextPenLineWidthPropertyEditor");
    // Once detached, the widget belongs to the surface that shows it.
    if (m_pWidget)
        delete m_pWidget;
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::~CTextPenLineWidthPropertyEditor");
}

void CTextPenLineWidthPropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::detatch");
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::detatch");
}

QStringList CTextPenLineWidthPropertyEditor::relatedProperties()
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::relatedProperties");
    // Without an outline there is no width to choose.
    const QStringList related{QLatin1String(textpen::c_szLineColor)};
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::relatedProperties");
    return related;
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenLineWidthPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::clone");
    boost::shared_ptr<CTextPenLineWidthPropertyEditor> pClone(
        new CTextPenLineWidthPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pClone->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::clone");
    return pClone;
}

QWidget* CTextPenLineWidthPropertyEditor::widget()
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::widget");
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::widget");
    return m_pWidget;
}

void CTextPenLineWidthPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::setValue");
    Q_UNUSED(value);
    // A prototype or a detached editor has nothing to show the value in.
    if (!m_pWidget) {
        TRACE_EXIT("CTextPenLineWidthPropertyEditor::setValue");
        return;
    }
    if (context() & eToolContext) {
        const QVariant width = getPropertyValue(property());
        if (relatedProperties().contains(strName) || strName == property()) {
            const QVariant outline = getPropertyValue(QLatin1String(textpen::c_szLineColor));
            const bool bNoOutline = outline.isValid() && outline.toString().startsWith(QLatin1String("null"));
            m_pWidget->setWidgetEnabled(!bNoOutline);
        }
        m_pWidget->setCurrentWidth(width);
    }
    m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::setValue");
}

void CTextPenLineWidthPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenLineWidthPropertyEditorWidget(this, nullptr);
    m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::derivedInitialise");
}

void CTextPenLineWidthPropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditor::slotLanguageChanged");
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    // A prototype or a detached editor has no label to translate.
    if (m_pWidget)
        m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenLineWidthPropertyEditor::slotLanguageChanged");
}

CTextPenLineWidthPropertyEditorWidget::CTextPenLineWidthPropertyEditorWidget(
    CTextPenLineWidthPropertyEditor* pEditor, QWidget* pParent)
    : CPropertyEditorWidget(pParent), m_pEditor(pEditor), m_pPenWidthWidget(nullptr), m_pLabel(nullptr)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditorWidget::CTextPenLineWidthPropertyEditorWidget");
    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->setAlignment(Qt::AlignLeft);
    // The compact context bar has no room for a label.
    if (!(m_pEditor->context() & CAbstractPropertyEditor::eContextbarContext)) {
        m_pLabel = new QLabel(tr("Line Width"), this);
        m_pLabel->setAlignment(Qt::AlignLeft);
        pLayout->addWidget(m_pLabel);
    }
    m_pPenWidthWidget = new CPenWidthWidget(this);
    pLayout->addWidget(m_pPenWidthWidget);
    connect(m_pPenWidthWidget, SIGNAL(signalWidthChanged(double)), this, SLOT(slotHandleNewWidth(double)));
    setFixedSize(sizeHint());
    TRACE_EXIT("CTextPenLineWidthPropertyEditorWidget::CTextPenLineWidthPropertyEditorWidget");
}

CTextPenLineWidthPropertyEditorWidget::~CTextPenLineWidthPropertyEditorWidget()
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditorWidget::~CTextPenLineWidthPropertyEditorWidget");
    disconnect(m_pPenWidthWidget, SIGNAL(signalWidthChanged(double)), this, SLOT(slotHandleNewWidth(double)));
    delete m_pPenWidthWidget;
    TRACE_EXIT("CTextPenLineWidthPropertyEditorWidget::~CTextPenLineWidthPropertyEditorWidget");
}

void CTextPenLineWidthPropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditorWidget::setGroupLabel");
    if (m_pLabel) {
        m_pLabel->setText(strLabel);
        setFixedSize(sizeHint());
    }
    TRACE_EXIT("CTextPenLineWidthPropertyEditorWidget::setGroupLabel");
}

void CTextPenLineWidthPropertyEditorWidget::setCurrentWidth(const QVariant& value)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditorWidget::setCurrentWidth");
    if (!value.isValid())
        m_pPenWidthWidget->setPenWidth(0.0);
    else if (!widthIsConverted(m_pEditor->context()))
        m_pPenWidthWidget->setPenWidth(value.toDouble());
    else
        m_pPenWidthWidget->setPenWidth(value.toDouble() / lpToDpRatio());
    TRACE_EXIT("CTextPenLineWidthPropertyEditorWidget::setCurrentWidth");
}

void CTextPenLineWidthPropertyEditorWidget::setWidgetEnabled(bool bEnabled)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditorWidget::setWidgetEnabled");
    // Only the width box: the label stays readable while there is no outline.
    m_pPenWidthWidget->setEnabled(bEnabled);
    TRACE_EXIT("CTextPenLineWidthPropertyEditorWidget::setWidgetEnabled");
}

void CTextPenLineWidthPropertyEditorWidget::slotHandleNewWidth(double width)
{
    TRACE_ENTER("CTextPenLineWidthPropertyEditorWidget::slotHandleNewWidth");
    const double dApplied = widthIsConverted(m_pEditor->context()) ? width * lpToDpRatio() : width;
    m_pEditor->applyPropertyValue(QVariant(dApplied), CAbstractPropertyEditor::eUpdatePropertyOnly,
                                  CAbstractPropertyEditor::eValueOwnStep);
    TRACE_EXIT("CTextPenLineWidthPropertyEditorWidget::slotHandleNewWidth");
}
