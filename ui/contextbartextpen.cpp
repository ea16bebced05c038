#include "contextbartextpen.h"

#include "abstractpropertyeditor.h"
#include "guilayer.h"
#include "propertyeditormanager.h"
#include "texteditorsync.h"
#include "textpennames.h"
#include "tooltextpen.h"
#include "trace.h"

#include <QLayout>

namespace {

// The editors of the bar in creation order; only the first three are put on the bar.
const char* const c_aszEditorProperties[] = {textpen::c_szFontFamily, textpen::c_szFontColor,
                                             textpen::c_szBold,       textpen::c_szLineColor,
                                             textpen::c_szLineStyle,  textpen::c_szLineWidth};
constexpr int c_iShownEditors = 3;

} // namespace

CContextbarTextPen::CContextbarTextPen() = default;

void CContextbarTextPen::initialize(QWidget* pParent)
{
    TRACE_ENTER("CContextbarTextPen::initialize");
    setParent(pParent);
    setAllowedAreas(Qt::BottomToolBarArea);
    setFloatable(false);
    setMovable(false);
    setAutoFillBackground(true);

    CPropertyEditorManager* pEditorManager = CGUILayer::get()->getPropertyEditorManager();
    for (const char* szProperty : c_aszEditorProperties)
        m_editors.append(pEditorManager->createEditor(
            QString::fromLatin1(szProperty),
            CAbstractPropertyEditor::EEditorContext(CAbstractPropertyEditor::eToolContext |
                                                    CAbstractPropertyEditor::eContextbarContext)));

    if (layout()) {
        layout()->setMargin(4);
        layout()->setSpacing(2);
    }
    // The line editors are kept in step with the tool but never shown here.
    for (int i = 0; i < c_iShownEditors && i < m_editors.size(); ++i)
        if (m_editors.at(i))
            addWidget(m_editors.at(i)->widget());

    if (CToolTextPen* pTextPen = textpen::registeredTextPen())
        connect(pTextPen, SIGNAL(siganlTextPenActivated()), this, SLOT(slotSyncEditorsToProperties()));
    TRACE_EXIT("CContextbarTextPen::initialize");
}

QString CContextbarTextPen::getName()
{
    TRACE_ENTER("CContextbarTextPen::getName");
    const QString strName = QString::fromLatin1(textpen::c_szContextbarName);
    TRACE_EXIT("CContextbarTextPen::getName");
    return strName;
}

QString CContextbarTextPen::getDisplayName()
{
    TRACE_ENTER("CContextbarTextPen::getDisplayName");
    const QString strName = tr("Text Pen Functions");
    TRACE_EXIT("CContextbarTextPen::getDisplayName");
    return strName;
}

bool CContextbarTextPen::toolSelectionStateChanged(const QString& strToolName, bool bSelected)
{
    TRACE_ENTER("CContextbarTextPen::toolSelectionStateChanged", strToolName);
    bool bResult = false;
    if (strToolName == QLatin1String(textpen::c_szToolName) && isToolSelected() != bSelected) {
        setToolSelected(bSelected);
        bResult = true;
    }
    // Any selection may be the moment the text pen became active without its own signal reaching us.
    slotSyncEditorsToProperties();
    TRACE_EXIT("CContextbarTextPen::toolSelectionStateChanged", bResult);
    return bResult;
}

void CContextbarTextPen::setToolTips()
{
}

void CContextbarTextPen::slotLanguageChanged()
{
    TRACE_ENTER("CContextbarTextPen::slotLanguageChanged");
    TRACE_EXIT("CContextbarTextPen::slotLanguageChanged");
}

void CContextbarTextPen::slotSyncEditorsToProperties()
{
    textpen::syncEditorsToActiveTextPen(m_editors);
}
