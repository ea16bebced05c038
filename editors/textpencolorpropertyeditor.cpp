#include "textpencolorpropertyeditor.h"

#include "colorselect.h"
#include "penbase.h"
#include "trace.h"

#include <QPalette>
#include <QVBoxLayout>

namespace {

// The item data of the entry that stands for "no single colour".
const char c_szMultiple[] = "multiple";

} // namespace

CTextPenColorPropertyEditor::CTextPenColorPropertyEditor(const QString& strProperty,
                                                         const QString& strTranslationContext,
                                                         const QString& strLabel)
    : CAbstractPropertyEditor(QStringList() << strProperty, strTranslationContext, strLabel),
      m_pWidget(nullptr)
{
    TRACE_ENTER("CTextPenColorPropertyEditor::CTextPenColorPropertyEditor");
    TRACE_EXIT("CTextPenColorPropertyEditor::CTextPenColorPropertyEditor");
}

CTextPenColorPropertyEditor::~CTextPenColorPropertyEditor()
{
    TRACE_ENTER("CTextPenColorPropertyEditor::~CTextPenColorPropertyEditor");
    delete m_pWidget;
    TRACE_EXIT("CTextPenColorPropertyEditor::~CTextPenColorPropertyEditor");
}

void CTextPenColorPropertyEditor::detatch()
{
    TRACE_ENTER("CTextPenColorPropertyEditor::detatch");
    // The widget now belongs to the surface that shows it and goes with it.
    setParent(nullptr);
    m_pWidget = nullptr;
    TRACE_EXIT("CTextPenColorPropertyEditor::detatch");
}

QStringList CTextPenColorPropertyEditor::relatedProperties()
{
    TRACE_ENTER("CTextPenColorPropertyEditor::relatedProperties");
    // The colour is that of the text, held by the text box's "string".
    const QStringList related = QStringList() << QStringLiteral("string");
    TRACE_EXIT("CTextPenColorPropertyEditor::relatedProperties");
    return related;
}

boost::shared_ptr<CAbstractPropertyEditor>
CTextPenColorPropertyEditor::clone(CPropertyEditorManager* pManager, EEditorContext eContext)
{
    TRACE_ENTER("CTextPenColorPropertyEditor::clone");
    const boost::shared_ptr<CTextPenColorPropertyEditor> pEditor(
        new CTextPenColorPropertyEditor(property(), translationContext(), untranslatedPropertyName()));
    pEditor->initialise(pManager, eContext);
    TRACE_EXIT("CTextPenColorPropertyEditor::clone");
    return pEditor;
}

QWidget* CTextPenColorPropertyEditor::widget()
{
    TRACE_ENTER("CTextPenColorPropertyEditor::widget");
    TRACE_EXIT("CTextPenColorPropertyEditor::widget");
    return m_pWidget;
}

void CTextPenColorPropertyEditor::setValue(const QString& strName, const QVariant& value)
{
    TRACE_ENTER("CTextPenColorPropertyEditor::setValue");
    Q_UNUSED(strName);
    Q_UNUSED(value);
    // A prototype or a detached editor has nothing to show the value in.
    if (m_pWidget) {
        // The value shown is always the one the host holds now, whatever the caller passed.
        // A colour name in a string still converts; anything else gives no colour, shown as mixed.
        m_pWidget->setColor(getPropertyValue(property()).value<QColor>());
        m_pWidget->setEnabled(determineEnabledStatusFromComponents());
    }
    TRACE_EXIT("CTextPenColorPropertyEditor::setValue");
}

void CTextPenColorPropertyEditor::derivedInitialise()
{
    TRACE_ENTER("CTextPenColorPropertyEditor::derivedInitialise");
    m_pWidget = new CTextPenColorPropertyEditorWidget(this, nullptr);
    TRACE_EXIT("CTextPenColorPropertyEditor::derivedInitialise");
}

void CTextPenColorPropertyEditor::slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft)
{
    TRACE_ENTER("CTextPenColorPropertyEditor::slotLanguageChanged");
    // The widget carries no text of its own that would need translating.
    Q_UNUSED(strLocale);
    Q_UNUSED(bIsRightToLeft);
    TRACE_EXIT("CTextPenColorPropertyEditor::slotLanguageChanged");
}

CTextPenColorPropertyEditorWidget::CTextPenColorPropertyEditorWidget(CTextPenColorPropertyEditor* pEditor,
                                                                     QWidget* pParent)
    : CTextPropertiesWidgetBase(pParent), m_pEditor(pEditor), m_pColorSelect(nullptr)
{
    TRACE_ENTER("CTextPenColorPropertyEditorWidget::CTextPenColorPropertyEditorWidget");
    QPalette palette;
    palette.setBrush(QPalette::All, QPalette::WindowText, QBrush(Qt::black, Qt::SolidPattern));
    setPalette(palette);

    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pColorSelect = new CColorSelect(QStringLiteral("normal"), pParent);
    pLayout->addWidget(m_pColorSelect);
    connect(m_pColorSelect, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
            SLOT(slotColorSelected(const QString&)));
    setFixedSize(sizeHint());
    TRACE_EXIT("CTextPenColorPropertyEditorWidget::CTextPenColorPropertyEditorWidget");
}

void CTextPenColorPropertyEditorWidget::setColor(const QColor& color)
{
    TRACE_ENTER("CTextPenColorPropertyEditorWidget::setColor");
    // At most one "no single colour" entry, and only while there is no single colour.
    const int iMultiple = m_pColorSelect->findData(QVariant(QString::fromLatin1(c_szMultiple)));
    if (iMultiple >= 0)
        m_pColorSelect->removeItem(iMultiple);

    if (color.isValid()) {
        // Showing the host's value must not come back as a change of the user's.
        disconnect(m_pColorSelect, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
                   SLOT(slotColorSelected(const QString&)));
        m_pColorSelect->setCurrentColor(color);
        connect(m_pColorSelect, SIGNAL(signalTypeAndColourSelected(const QString&)), this,
                SLOT(slotColorSelected(const QString&)));
    } else {
        m_pColorSelect->insertItem(0, QIcon(), QString(), QVariant(QString::fromLatin1(c_szMultiple)));
        m_pColorSelect->setCurrentIndex(0);
    }
    TRACE_EXIT("CTextPenColorPropertyEditorWidget::setColor");
}

void CTextPenColorPropertyEditorWidget::slotColorSelected(const QString& strColor)
{
    TRACE_ENTER("CTextPenColorPropertyEditorWidget::slotColorSelected");
    // The colour type before ";" is the box's, not the text's: only the colour is stored.
    const QStringList parts = strColor.split(QLatin1Char(';'), Qt::KeepEmptyParts, Qt::CaseSensitive);
    if (!strColor.isEmpty() && parts.size() > 1) {
        const QVariant value(CPenBase::decodeColor(parts.at(1)));
        m_pEditor->applyPropertyValue(value, CAbstractPropertyEditor::eUpdatePropertyOnly,
                                      CAbstractPropertyEditor::eValueOwnStep);
    }
    TRACE_EXIT("CTextPenColorPropertyEditorWidget::slotColorSelected");
}
