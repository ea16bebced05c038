#include "hosttools.h"

#include "actionutilities.h"
#include "hostpropertyeditor.h"
#include "laserpentool.h"
#include "mainwindow.h"
#include "normalpentool.h"
#include "orrery.h"
#include "placeholderrecognizer.h"
#include "recognizermanager.h"
#include "selecttool.h"
#include "serviceslayer.h"
#include "tesseractrecognizer.h"
#include "texttool.h"
#include "toolmanager.h"

#include <boost/make_shared.hpp>

void CHostTools::install()
{
    CToolManager* pToolManager = COrrery::getToolManager();
    pToolManager->registerTool(boost::make_shared<CSelectTool>());
    pToolManager->registerTool(boost::make_shared<CNormalPenTool>());
    pToolManager->registerTool(boost::make_shared<CTextTool>());
    pToolManager->registerTool(boost::make_shared<CLaserPenTool>());
    CHostPropertyEditor::registerAll(COrrery::getPropertyEditorManager());
    CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    QString strProblem;
    auto pHandwriting =
        boost::make_shared<CTesseractRecognizer>(CMainWindow::savedRecognitionLanguage(), &strProblem);
    if (!strProblem.isEmpty())
        CActionUtilities::messageBox(CActionUtilities::eMessageBoxWarning, nullptr, strProblem,
                                     QMessageBox::Ok, QMessageBox::Ok);
    const bool bReady = pHandwriting->isReady();
    pRecognizers->registerRecognizer(pHandwriting);
    pRecognizers->registerRecognizer(boost::make_shared<CPlaceholderRecognizer>());
    pRecognizers->setActiveRecognizer(bReady ? pHandwriting->getName() : QStringLiteral("placeholder"));
}

void CHostTools::loadProfile()
{
    CServicesLayer::get()->loadProfile();
}
