#include "hosttools.h"

#include "actionutilities.h"
#include "handwritingrecognizer.h"
#include "hostpropertyeditor.h"
#include "laserpentool.h"
#include "mainwindow.h"
#include "normalpentool.h"
#include "orrery.h"
#include "placeholderrecognizer.h"
#include "recognizermanager.h"
#include "selecttool.h"
#include "serviceslayer.h"
#include "texttool.h"
#include "toolmanager.h"

#include <boost/make_shared.hpp>

void CHostTools::install(bool bWaitForLanguage)
{
    CToolManager* pToolManager = COrrery::getToolManager();
    pToolManager->registerTool(boost::make_shared<CSelectTool>());
    pToolManager->registerTool(boost::make_shared<CNormalPenTool>());
    pToolManager->registerTool(boost::make_shared<CTextTool>());
    pToolManager->registerTool(boost::make_shared<CLaserPenTool>());
    CHostPropertyEditor::registerAll(COrrery::getPropertyEditorManager());
    CRecognizerManager* pRecognizers = COrrery::getRecognizerManager();
    auto pHandwriting = boost::make_shared<CHandwritingRecognizer>();
    QObject::connect(pHandwriting.get(), &CHandwritingRecognizer::signalLanguageLoaded, pHandwriting.get(),
                     [](const QString&, const QString& strInUse, const QString& strProblem) {
                         if (!strProblem.isEmpty())
                             CActionUtilities::messageBox(CActionUtilities::eMessageBoxWarning, nullptr,
                                                          strProblem, QMessageBox::Ok, QMessageBox::Ok);
                         if (strInUse.isEmpty())
                             COrrery::getRecognizerManager()->setActiveRecognizer(
                                 QStringLiteral("placeholder"));
                     });
    pRecognizers->registerRecognizer(pHandwriting);
    pRecognizers->registerRecognizer(boost::make_shared<CPlaceholderRecognizer>());
    // Active while its language loads, so that writing made meanwhile is read in that language.
    pRecognizers->setActiveRecognizer(pHandwriting->getName());
    pHandwriting->requestLanguage(CMainWindow::savedRecognitionLanguage());
    if (bWaitForLanguage)
        pHandwriting->waitForLanguage();
}

void CHostTools::loadProfile()
{
    CServicesLayer::get()->loadProfile();
}
