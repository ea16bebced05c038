// The board's tool-properties area: a dock beside the board that holds the page of the active tool.
#pragma once

#include <QDockWidget>

class CToolPropertiesContainer;

class CToolPropertiesDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit CToolPropertiesDock(QWidget* pParent = nullptr);
    ~CToolPropertiesDock() override;

    CToolPropertiesContainer* container() const { return m_pContainer; }

private:
    CToolPropertiesContainer* m_pContainer = nullptr;
};
