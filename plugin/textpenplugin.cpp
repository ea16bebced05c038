#include "textpenplugin.h"

#include "actionmanager.h"
#include "contextbarmanager.h"
#include "contextbartextpen.h"
#include "guilayer.h"
#include "orrery.h"
#include "orreryview.h"
#include "overwritetextboxpropertyeditor.h"
#include "propertyeditormanager.h"
#include "showcandidatespropertyeditor.h"
#include "textpencolorpropertyeditor.h"
#include "textpenfillcolourpropertyeditor.h"
#include "textpenfontfamilyandsizepropertyeditor.h"
#include "textpenlinecolourpropertyeditor.h"
#include "textpenlinestylepropertyeditor.h"
#include "textpenlinewidthpropertyeditor.h"
#include "textpennames.h"
#include "textpenpropertieswidget.h"
#include "textpentoolaction.h"
#include "textpenweightandstylepropertyeditor.h"
#include "toolmanager.h"
#include "toolpropertiesperspectivemanager.h"
#include "tooltextpen.h"
#include "trace.h"

#include <QPointer>

namespace {

const char c_szEditorContext[] = "CPropertyEditorManager";

// The host deletes the editor through the shared pointer as its own class. Names are one property
// name, or a list of them for an editor of several.
template <class TEditor, class TNames>
void registerEditor(CPropertyEditorManager* pManager, const TNames& names, const char* szContext,
                    const char* szLabel)
{
    const boost::shared_ptr<TEditor> pEditor(
        new TEditor(names, QString::fromLatin1(szContext), QString::fromLatin1(szLabel)));
    pManager->registerEditor(boost::shared_ptr<CAbstractPropertyEditor>(pEditor));
}

} // namespace

CTextPenPlugIn::CTextPenPlugIn() = default;

CTextPenPlugIn::~CTextPenPlugIn() = default;

bool CTextPenPlugIn::setUp()
{
    TRACE_ENTER("CTextPenPlugIn::setUp");
    // The host's managers own whatever is registered here; the plug-in object keeps no pointer.
    if (CToolManager* pToolManager = COrrery::getToolManager()) {
        const boost::shared_ptr<CToolTextPen> pTool(new CToolTextPen());
        pToolManager->registerTool(boost::shared_ptr<CTool>(pTool));
    }

    // Held to the end of set-up; the menu is only asked for an entry the host has taken.
    boost::shared_ptr<CTextPenToolAction> pAction(new CTextPenToolAction(nullptr));
    if (CActionManager* pActionManager = COrrery::getActionManager()) {
        if (pActionManager->registerAction(boost::shared_ptr<CAction>(pAction)) ==
            CActionManager::eRegistered)
            COrrery::addActionToMenuNextTo(QString::fromLatin1(textpen::c_szLaserPenActionName),
                                           pAction->getInternalName());
    }

    if (CContextbarManager* pContextbarManager = COrrery::getContextbarManager())
        pContextbarManager->registerContextbar(
            boost::shared_ptr<CContextbarInterface>(
                boost::shared_ptr<CContextbarTextPen>(new CContextbarTextPen())),
            true);

    // Prototypes, in the order in which surfaces list them; a refused one does not stop the next.
    if (CPropertyEditorManager* pEditorManager = COrrery::getPropertyEditorManager()) {
        registerEditor<CTextPenColorPropertyEditor>(pEditorManager, QLatin1String(textpen::c_szFontColor),
                                                    c_szEditorContext, "Text Colour");
        registerEditor<CTextPenWeightAndStylePropertyEditor>(
            pEditorManager,
            QStringList{QLatin1String(textpen::c_szBold), QLatin1String(textpen::c_szItalic),
                        QLatin1String(textpen::c_szUnderline)},
            c_szEditorContext, "Weight/Style");
        registerEditor<CTextPenFontFamilyPropertyEditor>(
            pEditorManager, QLatin1String(textpen::c_szFontFamily), c_szEditorContext, "Font Family");
        registerEditor<CTextPenLineWidthPropertyEditor>(pEditorManager, QLatin1String(textpen::c_szLineWidth),
                                                        c_szEditorContext, "Line Width");
        registerEditor<CTextPenLineStylePropertyEditor>(pEditorManager, QLatin1String(textpen::c_szLineStyle),
                                                        c_szEditorContext, "Line Style");
        registerEditor<CTextPenLineColourPropertyEditor>(
            pEditorManager, QLatin1String(textpen::c_szLineColor), c_szEditorContext, "Line Colour");
        registerEditor<CTextPenFillColourPropertyEditor>(
            pEditorManager, QLatin1String(textpen::c_szFillColor), c_szEditorContext, "Fill Colour");
        // The option editors are translated in their own widgets' contexts.
        registerEditor<CShowCandidatesPropertyEditor>(
            pEditorManager, QLatin1String(textpen::c_szShowCandidates), "CShowCandidatesPropertyEditorWidget",
            "Show alternatives");
        registerEditor<COverWriteTextBoxPropertyEditor>(
            pEditorManager, QLatin1String(textpen::c_szOverwriteTextBox),
            "COverWriteTextBoxPropertyEditorWidget", "Overwrite text");
    }

    // The host builds the text pen's page of the tool-properties area with this factory when it needs one.
    if (CToolPropertiesPerspectiveManager* pPerspectives = CGUILayer::get()->getToolPerspectiveManager())
        pPerspectives->registerPerspective(QStringList{QString::fromLatin1(textpen::c_szToolName)},
                                           &CTextPenPropertiesWidget::create);

    pAction.reset();
    TRACE_EXIT("CTextPenPlugIn::setUp");
    return true;
}

void CTextPenPlugIn::tearDown()
{
    TRACE_ENTER("CTextPenPlugIn::tearDown");
    if (CToolManager* pToolManager = COrrery::getToolManager())
        pToolManager->unregisterTool(QString::fromLatin1(textpen::c_szToolName));
    if (CContextbarManager* pContextbarManager = COrrery::getContextbarManager())
        pContextbarManager->unregisterContextbar(QString::fromLatin1(textpen::c_szContextbarName), true);
    if (CActionManager* pActionManager = COrrery::getActionManager())
        pActionManager->unregisterAction(QString::fromLatin1(textpen::c_szActionName));
    TRACE_EXIT("CTextPenPlugIn::tearDown");
}

QString CTextPenPlugIn::getID()
{
    TRACE_ENTER("CTextPenPlugIn::getID");
    TRACE_EXIT("CTextPenPlugIn::getID");
    return QString::fromLatin1(textpen::c_szPluginID);
}

QString CTextPenPlugIn::getPluginName()
{
    TRACE_ENTER("CTextPenPlugIn::getPluginName");
    TRACE_EXIT("CTextPenPlugIn::getPluginName");
    return QString::fromLatin1(textpen::c_szPluginName);
}

double CTextPenUtilities::getFontSize(const QRect& viewRect, const QString& strText)
{
    TRACE_ENTER("CTextPenUtilities::getFontSize");
    const int iLineCount = qMax(1, strText.split(QLatin1Char('\n'), Qt::KeepEmptyParts).count());
    const double dRatio = COrrery::getLPToDPRatio();
    double dHeight = 0.0;
    if (const COrreryView* pView = COrrery::getView()) {
        const QPointF topLeft = pView->mapToScene(QPoint(viewRect.left(), viewRect.top()));
        const QPointF bottomRight = pView->mapToScene(QPoint(viewRect.right(), viewRect.bottom()));
        dHeight = bottomRight.y() - topLeft.y();
    }
    // Small writing still gives a readable box; a height that is no number counts as small.
    if (!(dHeight > 200.0))
        dHeight = 200.0;
    double dSize = dHeight * 0.7 / dRatio / iLineCount;
    const double dCap = 16.0 * dRatio * 4.0;
    if (dCap < dSize)
        dSize = dCap;
    TRACE_EXIT("CTextPenUtilities::getFontSize");
    return dSize;
}

extern "C" {

Q_DECL_EXPORT const char* qt_plugin_query_verification_data()
{
    static const char s_szVerification[] = "pattern=QT_PLUGIN_VERIFICATION_DATA\n"
                                           "version=4.5.2\n"
                                           "debug=false\n"
                                           "buildkey=Windows msvc release full-config";
    return s_szVerification;
}

Q_DECL_EXPORT QObject* qt_plugin_instance()
{
    // Guarded: once somebody deletes the instance, the next call makes a fresh one.
    static QPointer<QObject> s_pInstance;
    if (!s_pInstance)
        s_pInstance = new CTextPenPlugIn();
    return s_pInstance;
}
}
