#include "textpenpropertieswidget.h"

#include "abstractpropertyeditor.h"
#include "guilayer.h"
#include "propertyeditormanager.h"
#include "texteditorsync.h"
#include "textpennames.h"
#include "tooltextpen.h"
#include "trace.h"

#include <QHBoxLayout>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

// The editors of the page in creation order. "Overwrite text" is left to the other surfaces.
const char* const c_aszEditorProperties[] = {
    textpen::c_szFontFamily, textpen::c_szFontColor, textpen::c_szBold,      textpen::c_szLineColor,
    textpen::c_szLineStyle,  textpen::c_szLineWidth, textpen::c_szFillColor, textpen::c_szShowCandidates};

QWidget* widgetOf(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor)
{
    return pEditor ? pEditor->widget() : nullptr;
}

// The colour and weight-and-style controls keep their own width at the left of their row.
QHBoxLayout* leftAlignedRow(QWidget* pWidget)
{
    QHBoxLayout* pRow = new QHBoxLayout();
    if (pWidget)
        pRow->addWidget(pWidget);
    pRow->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return pRow;
}

} // namespace

QWidget* CTextPenPropertiesWidget::create(QWidget* pParent)
{
    TRACE_ENTER("CTextPenPropertiesWidget::create");
    TRACE_EXIT("CTextPenPropertiesWidget::create");
    return new CTextPenPropertiesWidget(pParent);
}

CTextPenPropertiesWidget::CTextPenPropertiesWidget(QWidget* pParent) : QWidget(pParent, Qt::WindowFlags())
{
    TRACE_ENTER("CTextPenPropertiesWidget::CTextPenPropertiesWidget");
    QVBoxLayout* pLayout = new QVBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    pLayout->addSpacing(8);
    pLayout->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    CPropertyEditorManager* pEditorManager = CGUILayer::get()->getPropertyEditorManager();
    for (const char* szProperty : c_aszEditorProperties)
        m_editors.append(pEditorManager->createEditor(QString::fromLatin1(szProperty),
                                                      CAbstractPropertyEditor::eToolContext));

    // An editor the host could not make leaves its place empty; the others keep theirs.
    const auto addEditorWidget = [pLayout](QWidget* pWidget) {
        if (pWidget)
            pLayout->addWidget(pWidget);
    };
    addEditorWidget(widgetOf(m_editors.at(0)));
    pLayout->addLayout(leftAlignedRow(widgetOf(m_editors.at(1))));
    pLayout->addLayout(leftAlignedRow(widgetOf(m_editors.at(2))));
    for (int i = 3; i < m_editors.size(); ++i)
        addEditorWidget(widgetOf(m_editors.at(i)));
    pLayout->addSpacing(4);

    // The host's tool-properties container announces tool changes; without one only the text pen's
    // own activation brings the page up to date.
    if (pParent) {
        connect(pParent, SIGNAL(signalToolPropertyChanged(const QString&, const QVariant&)), this,
                SLOT(slotToolPropertyChanged(const QString&, const QVariant&)));
        connect(pParent, SIGNAL(signalToolChanged(const QString&)), this, SLOT(slotToolChanged()));
    }
    if (CToolTextPen* pTextPen = textpen::registeredTextPen())
        connect(pTextPen, SIGNAL(siganlTextPenActivated()), this, SLOT(slotToolChanged()));
    TRACE_EXIT("CTextPenPropertiesWidget::CTextPenPropertiesWidget");
}

CTextPenPropertiesWidget::~CTextPenPropertiesWidget()
{
    TRACE_ENTER("CTextPenPropertiesWidget::~CTextPenPropertiesWidget");
    // A parent that is itself being destroyed has already lost its signals and its connections.
    QWidget* pParent = parentWidget();
    if (pParent && pParent->metaObject()->indexOfSignal("signalToolChanged(QString)") >= 0) {
        disconnect(pParent, SIGNAL(signalToolPropertyChanged(const QString&, const QVariant&)), this,
                   SLOT(slotToolPropertyChanged(const QString&, const QVariant&)));
        disconnect(pParent, SIGNAL(signalToolChanged(const QString&)), this, SLOT(slotToolChanged()));
    }
    if (CToolTextPen* pTextPen = textpen::registeredTextPen())
        disconnect(pTextPen, SIGNAL(siganlTextPenActivated()), this, SLOT(slotToolChanged()));
    m_editors.clear();
    TRACE_EXIT("CTextPenPropertiesWidget::~CTextPenPropertiesWidget");
}

void CTextPenPropertiesWidget::slotToolPropertyChanged(const QString&, const QVariant&)
{
}

void CTextPenPropertiesWidget::slotToolChanged()
{
    TRACE_ENTER("CTextPenPropertiesWidget::slotToolChanged");
    textpen::syncEditorsToActiveTextPen(m_editors);
    TRACE_EXIT("CTextPenPropertiesWidget::slotToolChanged");
}
