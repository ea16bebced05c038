// The host's actions by internal name. Registered actions are owned here and refreshed on request.
#pragma once

#include <QString>
#include <QStringList>
#include <boost/shared_ptr.hpp>
#include <vector>

class CAction;

class CActionManager
{
public:
    enum ERegisterResult
    {
        eRegistered = 0,
        eNoAction = 1,
        eNoInternalName = 2,
        eNameTaken = 3
    };

    CActionManager();
    ~CActionManager();

    CActionManager(const CActionManager&) = delete;
    CActionManager& operator=(const CActionManager&) = delete;

    // 0 when registered; otherwise the reason for the refusal (ERegisterResult).
    int registerAction(const boost::shared_ptr<CAction>& pAction);
    // Takes the action out of every menu and hands it back; null when no action has that name.
    boost::shared_ptr<CAction> unregisterAction(const QString& strInternalName);

    CAction* getAction(const QString& strInternalName) const;
    QStringList getActionNames() const;

    // Asks every action again for its label and states, e.g. after the board or the tools changed.
    void updateActions();
    // Asks one action and shows its answers: the entry is enabled only while the action is both
    // available and enabled, and greyed out (its shortcut dead) otherwise.
    static void updateAction(CAction* pAction);

private:
    std::vector<boost::shared_ptr<CAction>> m_actions;
};
