// The choice of handwriting language in the Recognizer menu. A language takes seconds to load and
// loads in the background: meanwhile the status bar says so, the pointer shows that the board is busy
// and the entries are greyed, while the board, its menus and the pen stay in use. The language is
// kept for the next start once it is in use.
#pragma once

#include <QObject>
#include <QPointer>

class CHandwritingRecognizer;
class QActionGroup;
class QLabel;
class QMainWindow;
class QMenu;

class CHandwritingLanguageMenu : public QObject
{
    Q_OBJECT

public:
    CHandwritingLanguageMenu(CHandwritingRecognizer* pRecognizer, QMainWindow* pWindow);
    ~CHandwritingLanguageMenu() override;

    // The language the user chose last, English before any choice.
    static QString savedLanguage();

    // Adds an entry for every language to pMenu, which the window builds anew whenever its
    // recognizers change.
    void fill(QMenu* pMenu);
    // Starts the switch and returns at once; a language that cannot be read leaves the one in use.
    void choose(const QString& strCode);

private:
    void slotLoading(const QString& strCode);
    void slotLoaded(const QString& strRequested, const QString& strInUse);
    void setBusy(bool bBusy);
    void refreshEntries();

    QPointer<CHandwritingRecognizer> m_pRecognizer;
    QMainWindow* m_pWindow;
    QLabel* m_pLoading;
    QPointer<QActionGroup> m_pEntries;
    // The language the user asked for last, saved once the load it started has ended.
    QString m_strChosen;
    bool m_bBusy = false;
};
