#include "textpenlinestylepropertyeditor.h"

#include "linestylewidget.h"
#include "penbase.h"
#include "textpennames.h"
#include "trace.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

// These pens are drawn solid whatever the style, so solid is all there is to choose.
bool isSolidOnlyPen(const QString& strPenType)
{
    return strPenType == QLatin1String("edge") || strPenType == QLatin1String("shadow") ||
           strPenType == QLatin1String("tube") || strPenType == QLatin1String("texture");
}

} // namespace

CTextPenLineStylePropertyEditor::CTextPenLineStylePropertyEditor(const QString& strProperty,
                                                                 const QString& strTranslationContext,
                                                                 const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::CTextPenLineStylePropertyEditor");
    TRACE_EXIT("CTextPenLineStylePropertyEditor::CTextPenLineStylePropertyEditor");
}

CTextPenLineStylePropertyEditor::~CTextPenLineStylePropertyEditor()
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::~CTextPenLineStylePropertyEditor");
    // Once detached, the widget belongs to the surface that shows it.
    if (m_pWidget)
        delete m_pWidget;
    TRACE_EXIT("CTextPenLineStylePropertyEditor::~CTextPenLineStylePropertyEditor");
}

void CTextPenLineStylePropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::detatch");
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenLineStylePropertyEditor::detatch");
}

QStringList CTextPenLineStylePropertyEditor::relatedProperties()
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::relatedProperties");
    // The outline's pen decides the styles offered; locking decides whether a style may be chosen.
    const QStringList related = {QLatin1String(textpen::c_szLineColor), QStringLiteral("locked")};
    TRACE_EXIT("CTextPenLineStylePropertyEditor::relatedProperties");
    return related;
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenLineStylePropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::clone");
    boost::shared_ptr<CTextPenLineStylePropertyEditor> pClone(
        new CTextPenLineStylePropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pClone->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenLineStylePropertyEditor::clone");
    return pClone;
}

QWidget* CTextPenLineStylePropertyEditor::widget()
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::widget");
    TRACE_EXIT("CTextPenLineStylePropertyEditor::widget");
    return m_pWidget;
}

void CTextPenLineStylePropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::setValue");
    // A prototype or a detached editor has nothing to show the value in.
    if (!m_pWidget) {
        TRACE_EXIT("CTextPenLineStylePropertyEditor::setValue");
        return;
    }
    QVariant style = value;
    bool bConcernsStyle = false;
    if (context() & eToolContext) {
        if (strName == property()) {
            bConcernsStyle = true;
        } else if (relatedProperties().contains(strName)) {
            // The value passed belongs to the related property, not to the style.
            style = getPropertyValue(QLatin1String(textpen::c_szLineStyle));
            bConcernsStyle = true;
        }
    }
    QString strPenType;
    if (bConcernsStyle)
        strPenType = CPenBase::getPenType(getPropertyValue(QLatin1String(textpen::c_szLineColor)).toString());
    if (bConcernsStyle && strPenType != QLatin1String("null")) {
        QList<PenUtil::ELineStyle> offered;
        if (isSolidOnlyPen(strPenType))
            offered.append(PenUtil::eLineStyleSolid);
        m_pWidget->setCombo(style, offered);
    } else {
        m_pWidget->setCombo(QVariant(), QList<PenUtil::ELineStyle>() << PenUtil::eLineStyleNone);
    }
    m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    TRACE_EXIT("CTextPenLineStylePropertyEditor::setValue");
}

void CTextPenLineStylePropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenLineStylePropertyEditorWidget(this, nullptr);
    m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenLineStylePropertyEditor::derivedInitialise");
}

void CTextPenLineStylePropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditor::slotLanguageChanged");
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    // A prototype or a detached editor has no label to translate.
    if (m_pWidget)
        m_pWidget->setGroupLabel(localisedPropertyName());
    TRACE_EXIT("CTextPenLineStylePropertyEditor::slotLanguageChanged");
}

CTextPenLineStylePropertyEditorWidget::CTextPenLineStylePropertyEditorWidget(
    CTextPenLineStylePropertyEditor* pEditor, QWidget* pParent)
    : CPropertyEditorWidget(pParent), m_pEditor(pEditor), m_pLineStyleWidget(nullptr), m_pLabel(nullptr)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditorWidget::CTextPenLineStylePropertyEditorWidget");
    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    // The compact context bar has no room for a label.
    if (!(m_pEditor->context() & CAbstractPropertyEditor::eContextbarContext)) {
        m_pLabel = new QLabel(tr("Line Style"), this);
        pLayout->addWidget(m_pLabel);
    }
    m_pLineStyleWidget = new CLineStyleWidget(this);
    pLayout->addWidget(m_pLineStyleWidget);
    connect(m_pLineStyleWidget, SIGNAL(signalLineStyleChanged(PenUtil::ELineStyle)), this,
            SLOT(slotLineStyleChanged(PenUtil::ELineStyle)));
    setFixedSize(sizeHint());
    TRACE_EXIT("CTextPenLineStylePropertyEditorWidget::CTextPenLineStylePropertyEditorWidget");
}

CTextPenLineStylePropertyEditorWidget::~CTextPenLineStylePropertyEditorWidget()
{
    TRACE_ENTER("CTextPenLineStylePropertyEditorWidget::~CTextPenLineStylePropertyEditorWidget");
    disconnect(m_pLineStyleWidget, SIGNAL(signalLineStyleChanged(PenUtil::ELineStyle)), this,
               SLOT(slotLineStyleChanged(PenUtil::ELineStyle)));
    delete m_pLineStyleWidget;
    TRACE_EXIT("CTextPenLineStylePropertyEditorWidget::~CTextPenLineStylePropertyEditorWidget");
}

void CTextPenLineStylePropertyEditorWidget::setGroupLabel(const QString& strLabel)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditorWidget::setGroupLabel");
    if (m_pLabel) {
        m_pLabel->setText(strLabel);
        setFixedSize(sizeHint());
    }
    TRACE_EXIT("CTextPenLineStylePropertyEditorWidget::setGroupLabel");
}

void CTextPenLineStylePropertyEditorWidget::setCombo(const QVariant& style,
                                                     const QList<PenUtil::ELineStyle>& offered)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditorWidget::setCombo");
    m_pLineStyleWidget->setLineStyle(style, offered);
    TRACE_EXIT("CTextPenLineStylePropertyEditorWidget::setCombo");
}

void CTextPenLineStylePropertyEditorWidget::slotLineStyleChanged(PenUtil::ELineStyle eStyle)
{
    TRACE_ENTER("CTextPenLineStylePropertyEditorWidget::slotLineStyleChanged");
    m_pEditor->applyPropertyValue(QVariant(int(eStyle)), CAbstractPropertyEditor::eUpdatePropertyOnly,
                                  CAbstractPropertyEditor::eValueOwnStep);
    TRACE_EXIT("CTextPenLineStylePropertyEditorWidget::slotLineStyleChanged");
}
