// An action that picks a tool: running it makes the tool manager activate the tool it is tied to, and
// it shows itself checked while that tool is the active one.
#pragma once

#include "action.h"

#include <QMetaObject>

class CToolAction : public CAction
{
    Q_OBJECT

public:
    CToolAction(const QString& strInternalName, const QIcon& icon, QObject* pParent = nullptr);
    ~CToolAction() override;

    void setToolName(const QString& strToolName);

    // Follows the tool manager's activations, so the check mark moves when another tool is picked.
    void connectSignals() const override;
    void disconnectSignals() const override;
    bool isCheckedImpl() const override;

protected:
    void exec(bool bChecked) override;

private:
    void showChecked() const;

    QString m_strToolName;
    mutable QMetaObject::Connection m_toolActivatedConnection;
};
