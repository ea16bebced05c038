// The base of the host's actions: a QAction known to the action manager by its internal name, which
// answers for its label, availability and enabled state each time the host asks (the action manager
// shows the answers).
#pragma once

#include <QAction>
#include <QIcon>
#include <QString>

class CAction : public QAction
{
    Q_OBJECT

public:
    CAction(const QString& strInternalName, const QIcon& icon, QObject* pParent = nullptr);
    ~CAction() override;

    QString getInternalName() const { return m_strInternalName; }

    virtual void connectSignals() const;
    virtual void disconnectSignals() const;
    virtual QString tapMenuGroup() const;
    virtual QString tapMenuLocale() const;
    virtual bool isAvailable();
    virtual QString getLabelText();
    virtual QString getShortLabelText() const;

public slots:
    virtual void slotLanguageChanged();

public:
    virtual bool isEnabledImpl();
    virtual bool isCheckedImpl() const;
    virtual bool isVolatile() const;
    virtual bool invokesCommand() const;

protected:
    virtual void exec(bool bChecked);

private:
    QString m_strInternalName;
};
