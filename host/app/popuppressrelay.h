// Lets the press that closes a popup menu (the menu of readings) over the board also reach the
// board, so that the stroke or the click the user began there is not lost.
#pragma once

#include <QObject>

class QWidget;

class CPopupPressRelay : public QObject
{
    Q_OBJECT

public:
    // Watches the application's popup menus for presses over pViewport, the board's.
    explicit CPopupPressRelay(QWidget* pViewport, QObject* pParent = nullptr);
    ~CPopupPressRelay() override;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    QWidget* m_pViewport;
};
