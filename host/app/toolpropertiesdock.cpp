#include "toolpropertiesdock.h"

#include "orrery.h"
#include "toolpropertiescontainer.h"

CToolPropertiesDock::CToolPropertiesDock(QWidget* pParent) : QDockWidget(tr("Tool Properties"), pParent)
{
    // Named, so that the window can put the dock back where the user left it.
    setObjectName(QStringLiteral("toolproperties"));
    m_pContainer = new CToolPropertiesContainer(COrrery::getToolManager(), this);
    // The dock keeps its width while a tool without settings leaves it empty.
    m_pContainer->setMinimumWidth(220);
    setWidget(m_pContainer);
}

CToolPropertiesDock::~CToolPropertiesDock() = default;
