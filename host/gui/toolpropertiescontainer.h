// The inside of the tool-properties area: shows the page of the active tool. A tool that registered a
// page of its own with the tool-properties perspective manager gets that page, built under this
// container; any other tool gets a generic page with one editor per setting. Pages learn of tool
// changes through this container's signals. Below the page, a section offers the editors registered for
// the tool's settings that its page leaves out.
#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <boost/shared_ptr.hpp>
#include <vector>

class CAbstractPropertyEditor;
class CToolManager;
class QLabel;

class CToolPropertiesContainer : public QWidget
{
    Q_OBJECT

public:
    explicit CToolPropertiesContainer(CToolManager* pToolManager, QWidget* pParent = nullptr);
    ~CToolPropertiesContainer() override;

    // The page shown, the tool's own or the generic one; null when the tool has nothing to show.
    QWidget* page() const { return m_pPage; }
    // The editors of the generic page, in the order of the tool's settings; empty on a tool's own page.
    const std::vector<boost::shared_ptr<CAbstractPropertyEditor>>& editors() const { return m_editors; }
    // The section of the registered editors for the tool's settings that the page does not show; null
    // when it shows them all.
    QWidget* moreOptions() const { return m_pMoreOptions; }
    // The width the widest of the registered tools' pages needs, built aside and thrown away, so that
    // the area can keep one width whichever tool is picked.
    int widestPageWidth() const;

signals:
    // The active tool changed, or settings of it did; sent after the tool's page exists, so that the
    // page can fill itself.
    void signalToolChanged(const QString& strTool);
    // A setting of any tool changed.
    void signalToolPropertyChanged(const QString& strTool, const QString& strProperty, const QVariant& value);
    // A setting of the tool whose page is shown changed; pages listen to this short form.
    void signalToolPropertyChanged(const QString& strProperty, const QVariant& value);

private:
    void slotToolActivated(const QString& strTool);
    void slotToolDeactivated(const QString& strTool);
    void slotToolPropertyChanged(const QString& strTool, const QString& strProperty, const QVariant& value);
    void slotToolSettingsChanged(const QString& strTool);
    QWidget* buildGenericPage(const QString& strTool);
    QWidget* buildMoreOptions(const QString& strTool);
    void clear();

    QPointer<CToolManager> m_pToolManager;
    QString m_strTool;
    QPointer<QWidget> m_pPage;
    // Says so while the active tool has nothing to set, rather than leaving the area blank.
    QLabel* m_pNoSettings = nullptr;
    std::vector<boost::shared_ptr<CAbstractPropertyEditor>> m_editors;
    QPointer<QWidget> m_pMoreOptions;
    std::vector<boost::shared_ptr<CAbstractPropertyEditor>> m_moreEditors;
};
