// An action that shows a colour swatch of the active tool's colour; all of them are refreshed when a
// tool's colour changes.
#pragma once

#include "action.h"

class CColorAction : public CAction
{
    Q_OBJECT

public:
    CColorAction(const QString& strInternalName, QObject* pParent = nullptr);
    ~CColorAction() override;

    // Each colour action shows the active tool's colour again.
    static void updateAllColorActions();

private:
    void updateColor();
};
