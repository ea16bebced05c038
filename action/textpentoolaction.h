// The menu entry through which the user picks the text pen. It is offered while a handwriting
// recognizer is at hand and the current page takes input, and can be chosen unless the board shows the
// live desktop; choosing it makes the host activate the text pen tool.
#pragma once

#include "toolaction.h"

class CTextPenToolAction : public CToolAction
{
    Q_OBJECT

public:
    explicit CTextPenToolAction(QObject* pParent);
    ~CTextPenToolAction() override;

    void connectSignals() const override;
    void disconnectSignals() const override;
    bool isAvailable() override;
    QString getLabelText() override;
    bool isEnabledImpl() override;

protected:
    void exec(bool bChecked) override;
};
