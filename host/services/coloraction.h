// An action that shows a colour swatch of the active tool's colour; all of them are refreshed when a
// tool's colour changes.
#pragma once

#include "action.h"

#include <QColor>

class CColorAction : public CAction
{
    Q_OBJECT

public:
    CColorAction(const QString& strInternalName, QObject* pParent = nullptr);
    ~CColorAction() override;

    // Each colour action shows the active tool's colour again.
    static void updateAllColorActions();
    static int updateCount();

    QColor shownColor() const { return m_color; }

private:
    void updateColor();

    QColor m_color;
};
