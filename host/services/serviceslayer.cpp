#include "serviceslayer.h"

#include "hostjournal.h"
#include "orrery.h"
#include "toolmanager.h"

CServicesLayer* CServicesLayer::get()
{
    // Tools connect to it in their constructors and may outlive any one host: it lives as long as
    // the program.
    static CServicesLayer s_layer;
    return &s_layer;
}

void CServicesLayer::loadProfile()
{
    if (CToolManager* pToolManager = COrrery::getToolManager())
        pToolManager->loadToolSettings();
    emit signalProfileLoaded();
    CHostJournal::record(QStringLiteral("CServicesLayer::loadProfile"));
}

double CServicesLayer::getLPToDPRatio() const
{
    return COrrery::getLPToDPRatio();
}
