#include "textpenfontfamilyandsizepropertyeditor.h"

#include "textpenfontfamilyandsizewidget.h"
#include "trace.h"

#include <QPalette>
#include <QVBoxLayout>

CTextPenFontFamilyPropertyEditor::CTextPenFontFamilyPropertyEditor(const QString& strProperty,
                                                                   const QString& strTranslationContext,
                                                                   const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::CTextPenFontFamilyPropertyEditor");
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::CTextPenFontFamilyPropertyEditor");
}

CTextPenFontFamilyPropertyEditor::~CTextPenFontFamilyPropertyEditor()
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::~CTextPenFontFamilyPropertyEditor");
    // Once detached, the widget belongs to the surface that shows it.
    if (m_pWidget)
        delete m_pWidget;
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::~CTextPenFontFamilyPropertyEditor");
}

void CTextPenFontFamilyPropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::detatch");
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::detatch");
}

QStringList CTextPenFontFamilyPropertyEditor::relatedProperties()
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::relatedProperties");
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::relatedProperties");
    return QStringList();
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenFontFamilyPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::clone");
    boost::shared_ptr<CTextPenFontFamilyPropertyEditor> pClone(
        new CTextPenFontFamilyPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pClone->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::clone");
    return pClone;
}

QWidget* CTextPenFontFamilyPropertyEditor::widget()
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::widget");
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::widget");
    return m_pWidget;
}

void CTextPenFontFamilyPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::setValue");
    Q_UNUSED(strName);
    Q_UNUSED(value);
    // A prototype or a detached editor has nothing to show the value in.
    if (!m_pWidget) {
        TRACE_EXIT("CTextPenFontFamilyPropertyEditor::setValue");
        return;
    }
    m_pWidget->setFontFamily(getPropertyValue(property()).toString());
    m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::setValue");
}

void CTextPenFontFamilyPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenFontFamilyPropertyEditorWidget(this, nullptr);
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::derivedInitialise");
}

void CTextPenFontFamilyPropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditor::slotLanguageChanged");
    // Font family names are not translated, and the widget has no label.
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    TRACE_EXIT("CTextPenFontFamilyPropertyEditor::slotLanguageChanged");
}

CTextPenFontFamilyPropertyEditorWidget::CTextPenFontFamilyPropertyEditorWidget(
    CTextPenFontFamilyPropertyEditor* pEditor, QWidget* pParent)
    : QWidget(pParent, Qt::WindowFlags()), m_pEditor(pEditor), m_pFontFamilyAndSizeWidget(nullptr)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditorWidget::CTextPenFontFamilyPropertyEditorWidget");
    // Dark text whatever the surface's palette, as on the host's own text controls.
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(Qt::black, Qt::SolidPattern));
    setPalette(palette);

    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    if (m_pEditor->context() & CAbstractPropertyEditor::eBrowserContext)
        pLayout->addSpacing(4);
    m_pFontFamilyAndSizeWidget = new CTextPenFontFamilyAndSizeWidget(pParent, 1);
    pLayout->addWidget(m_pFontFamilyAndSizeWidget);
    setFixedSize(sizeHint());
    connect(m_pFontFamilyAndSizeWidget, SIGNAL(signalFontFamilyOrSizeSelected(const QString&)), this,
            SLOT(slotFontFamilyOrSizeSelected(const QString&)));
    TRACE_EXIT("CTextPenFontFamilyPropertyEditorWidget::CTextPenFontFamilyPropertyEditorWidget");
}

void CTextPenFontFamilyPropertyEditorWidget::setFontFamily(const QString& family)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditorWidget::setFontFamily");
    m_pFontFamilyAndSizeWidget->setFontFamily(family);
    TRACE_EXIT("CTextPenFontFamilyPropertyEditorWidget::setFontFamily");
}

void CTextPenFontFamilyPropertyEditorWidget::slotFontFamilyOrSizeSelected(const QString& strSelection)
{
    TRACE_ENTER("CTextPenFontFamilyPropertyEditorWidget::slotFontFamilyOrSizeSelected");
    // The text pen sets no size: only the family before the ";" is applied.
    const QStringList parts = strSelection.split(QLatin1Char(';'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (parts.size() >= 2)
        m_pEditor->applyPropertyValue(QVariant(parts.at(0)), CAbstractPropertyEditor::eUpdatePropertyOnly,
                                      CAbstractPropertyEditor::eValueOwnStep);
    TRACE_EXIT("CTextPenFontFamilyPropertyEditorWidget::slotFontFamilyOrSizeSelected");
}
