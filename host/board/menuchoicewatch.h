// Notes whether the user's last act was picking an entry from a menu. The command layer asks it when a
// change begins, to tell a change the user chose from a menu from one made by writing or typing.
#pragma once

#include <QObject>

class QAction;

class CMenuChoiceWatch : public QObject
{
    Q_OBJECT

public:
    // Watches every menu of the application from now on.
    CMenuChoiceWatch();
    ~CMenuChoiceWatch() override;

    // Whether an entry was picked since the user last pressed anything else; answering forgets it.
    bool takeChoice();

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    void slotChosen(QAction* pAction);

    bool m_bChosen = false;
};
