// The board's tool-properties area: a dock beside the board that holds the page of the active tool,
// scrolled when the window is too low to show all of it.
#pragma once

#include <QDockWidget>
#include <QStringList>

class CToolPropertiesContainer;
class QScrollArea;

class CToolPropertiesDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit CToolPropertiesDock(QWidget* pParent = nullptr);
    ~CToolPropertiesDock() override;

    CToolPropertiesContainer* container() const { return m_pContainer; }

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void changeEvent(QEvent* pEvent) override;

private:
    void fitWidth();

    // The tools whose pages the widest width was measured for, and the number of editors there were.
    QStringList m_measured;
    int m_iWidestPage = 0;

    QScrollArea* m_pScrollArea = nullptr;
    CToolPropertiesContainer* m_pContainer = nullptr;
};
