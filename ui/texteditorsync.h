// Finds the text pen for the surfaces, and brings a surface's editors up to date with the text pen's current
// settings, while the text pen is the active tool; with another tool active it changes nothing.
#pragma once

#include "abstractpropertyeditor.h"
#include "controllayer.h"
#include "textpennames.h"
#include "toolmanager.h"
#include "tooltextpen.h"

#include <QVector>
#include <boost/shared_ptr.hpp>

namespace textpen {

// The text pen as the host's tool manager holds it, or null while it is not registered.
inline CToolTextPen* registeredTextPen()
{
    CToolManager* pToolManager = CControlLayer::get()->getToolManager();
    return pToolManager
               ? dynamic_cast<CToolTextPen*>(pToolManager->getToolByName(QString::fromLatin1(c_szToolName)))
               : nullptr;
}

inline void syncEditorsToActiveTextPen(const QVector<boost::shared_ptr<CAbstractPropertyEditor>>& editors)
{
    CToolTextPen* pTool = registeredTextPen();
    if (!pTool || CControlLayer::get()->getToolManager()->getActiveTool() != pTool)
        return;
    for (const boost::shared_ptr<CAbstractPropertyEditor>& pEditor : editors) {
        if (!pEditor)
            continue;
        // A copy: an editor may change its list while it takes a value.
        const QStringList names = pEditor->properties();
        for (const QString& strName : names)
            pEditor->setValue(strName, pTool->getToolProperty(strName));
    }
}

} // namespace textpen
