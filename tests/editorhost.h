// A board host with the text pen set up and active, for the tests of its property editors. Editors are
// made by the host's manager from the prototypes set-up registered, as every surface gets them.
#pragma once

#include "boardhost.h"
#include "hostjournal.h"
#include "propertyeditormanager.h"
#include "textpenplugin.h"
#include "tool.h"
#include "toolmanager.h"
#include "userinput.h"

class CEditorHost : public CBoardHost
{
public:
    void start()
    {
        CBoardHost::start();
        QVERIFY(m_plugin.setUp());
        QVERIFY(COrrery::getToolManager()->activate(QStringLiteral("textpenplugin.handtext")));
        CHostJournal::clear();
    }

    static CTool* tool() { return COrrery::getToolManager()->getActiveTool(); }
    static void set(const QString& strName, const QVariant& value)
    {
        tool()->setToolProperty(strName, value);
    }
    static boost::shared_ptr<CAbstractPropertyEditor> editor(const QString& strProperty, int iContext)
    {
        return COrrery::getPropertyEditorManager()->createEditor(
            strProperty, CAbstractPropertyEditor::EEditorContext(iContext));
    }
    // What the editors sent back to the host, in order.
    static QStringList applied()
    {
        return CHostJournal::entries(QStringLiteral("CAbstractPropertyEditor::"));
    }
    // The single change an editor sends for a pick in the tool's own context.
    static QStringList applied(const QString& strAssignment, const QString& strPolicies = "(0, 0)")
    {
        return {"CAbstractPropertyEditor::applyPropertyValue " + strAssignment + " " + strPolicies};
    }

private:
    CTextPenPlugIn m_plugin;
};
