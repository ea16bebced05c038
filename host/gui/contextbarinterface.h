// The base of a context bar: a tool bar of settings that the host shows while its tool is selected.
#pragma once

#include <QString>
#include <QStringList>
#include <QToolBar>
#include <QVariant>

class CContextbarInterface : public QToolBar
{
    Q_OBJECT

public:
    explicit CContextbarInterface(QWidget* pParent = nullptr);
    ~CContextbarInterface() override;

    virtual void initialize(QWidget* pParent) = 0;
    virtual QString getName() = 0;
    virtual QString getDisplayName() = 0;
    // Tells the bar which tool is now selected or deselected; true when the bar wants to be shown.
    virtual bool toolSelectionStateChanged(const QString& strToolName, bool bSelected) = 0;
    virtual bool commandInvoked();
    virtual bool selectionChanged(int iSelectedCount);
    virtual bool topicChanged();
    virtual bool contextbarShown(const QString& strName, bool bShown);
    virtual void updateProperties(const QString& strTool, const QString& strProperty, const QVariant& value);
    virtual QStringList getPropertyList();

    bool isToolSelected() const { return m_bToolSelected; }

protected:
    // Tells the bar itself that it is now on screen, as it is told of other bars.
    void showEvent(QShowEvent* pEvent) override;
    void setToolSelected(bool bSelected) { m_bToolSelected = bSelected; }

private:
    bool m_bToolSelected = false;
};
