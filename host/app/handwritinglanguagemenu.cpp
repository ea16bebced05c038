#include "handwritinglanguagemenu.h"

#include "handwritingrecognizer.h"
#include "layoutdirectionfollower.h"
#include "orrery.h"
#include "recognitionlanguage.h"

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>

namespace {

const char* const c_szLanguageKey = "recognizer/language";

QString languageName(const QString& strCode)
{
    const SRecognitionLanguage* pLanguage = CRecognitionLanguages::find(strCode);
    return pLanguage ? pLanguage->strName : strCode;
}

} // namespace

CHandwritingLanguageMenu::CHandwritingLanguageMenu(CHandwritingRecognizer* pRecognizer, QMainWindow* pWindow)
    : QObject(pWindow), m_pRecognizer(pRecognizer), m_pWindow(pWindow), m_pLoading(new QLabel(pWindow))
{
    // Kept apart from the status bar's passing messages, which would hide it while it matters.
    pWindow->statusBar()->addPermanentWidget(m_pLoading);
    m_pLoading->hide();
    connect(pRecognizer, &CHandwritingRecognizer::signalLanguageLoading, this,
            &CHandwritingLanguageMenu::slotLoading);
    connect(pRecognizer, &CHandwritingRecognizer::signalLanguageLoaded, this,
            &CHandwritingLanguageMenu::slotLoaded);
    // The language of the last run may still be loading.
    if (pRecognizer->isLoading())
        slotLoading(pRecognizer->loadingLanguage());
}

CHandwritingLanguageMenu::~CHandwritingLanguageMenu()
{
    setBusy(false);
}

QString CHandwritingLanguageMenu::savedLanguage()
{
    QSettings* pSettings = COrrery::getUserSettings();
    return pSettings ? pSettings->value(QLatin1String(c_szLanguageKey), QStringLiteral("en")).toString()
                     : QStringLiteral("en");
}

void CHandwritingLanguageMenu::fill(QMenu* pMenu)
{
    m_pEntries = new QActionGroup(pMenu);
    for (const SRecognitionLanguage& language : CRecognitionLanguages::all()) {
        // A language without its data stays in the menu, so that choosing it says what is missing.
        const QString strLabel = CRecognitionLanguages::isInstalled(language)
                                     ? language.strName
                                     : tr("%1 (not installed)").arg(language.strName);
        QAction* pAction = pMenu->addAction(CLayoutDirectionFollower::anchored(strLabel));
        pAction->setCheckable(true);
        pAction->setActionGroup(m_pEntries);
        pAction->setData(language.strCode);
        if (language.bRightToLeft)
            pAction->setToolTip(tr("Written right to left"));
        const QString strCode = language.strCode;
        connect(pAction, &QAction::triggered, this, [this, strCode] { choose(strCode); });
    }
    refreshEntries();
}

void CHandwritingLanguageMenu::choose(const QString& strCode)
{
    if (!m_pRecognizer)
        return;
    m_strChosen = strCode;
    if (!m_pRecognizer->requestLanguage(strCode)) {
        m_strChosen.clear();
        refreshEntries();
    }
}

void CHandwritingLanguageMenu::slotLoading(const QString& strCode)
{
    setBusy(true);
    m_pLoading->setText(
        CLayoutDirectionFollower::anchored(tr("Loading %1 handwriting...").arg(languageName(strCode))));
    m_pLoading->show();
    refreshEntries();
}

void CHandwritingLanguageMenu::slotLoaded(const QString& strRequested, const QString& strInUse)
{
    if (!m_pRecognizer || m_pRecognizer->isLoading())
        return;
    setBusy(false);
    m_pLoading->hide();
    if (strRequested == m_strChosen) {
        if (QSettings* pSettings = COrrery::getUserSettings())
            pSettings->setValue(QLatin1String(c_szLanguageKey), strInUse);
        m_strChosen.clear();
    }
    m_pWindow->statusBar()->showMessage(m_pRecognizer->getDisplayName(), 5000);
    refreshEntries();
}

void CHandwritingLanguageMenu::setBusy(bool bBusy)
{
    if (bBusy == m_bBusy)
        return;
    m_bBusy = bBusy;
    // The busy pointer still points: the board and the menus answer while the language loads.
    if (bBusy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else
        QApplication::restoreOverrideCursor();
}

void CHandwritingLanguageMenu::refreshEntries()
{
    if (!m_pEntries || !m_pRecognizer)
        return;
    const bool bLoading = m_pRecognizer->isLoading();
    const QString strShown = bLoading ? m_pRecognizer->loadingLanguage() : m_pRecognizer->language();
    for (QAction* pAction : m_pEntries->actions()) {
        pAction->setChecked(pAction->data().toString() == strShown);
        pAction->setEnabled(!bLoading);
    }
}
