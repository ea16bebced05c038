// The board's tool-properties area: a dock beside the board that shows the settings of the active
// tool through the property editors registered for them, one row per editor, and keeps them up to date
// while the tool's settings change.
#pragma once

#include <QDockWidget>
#include <boost/shared_ptr.hpp>
#include <vector>

class CAbstractPropertyEditor;
class QVariant;

class CToolPropertiesDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit CToolPropertiesDock(QWidget* pParent = nullptr);
    ~CToolPropertiesDock() override;

    // The editors shown for the active tool, in the order of its settings.
    const std::vector<boost::shared_ptr<CAbstractPropertyEditor>>& editors() const { return m_editors; }

    void slotToolActivated(const QString& strTool);
    void slotToolPropertyChanged(const QString& strTool, const QString& strProperty, const QVariant& value);

private:
    void clear();

    QString m_strTool;
    std::vector<boost::shared_ptr<CAbstractPropertyEditor>> m_editors;
};
