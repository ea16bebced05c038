// A passing notice over the top of the board: it tells the user something that needs no answer and
// goes away by itself, while the pen goes on writing through it.
#pragma once

#include <QLabel>
#include <QTimer>

class CBoardNotice : public QLabel
{
    Q_OBJECT

public:
    // How long a notice stays, in milliseconds.
    static constexpr int c_iShowMs = 4000;

    // Shows itself over pBoard, a widget whose children it sits among.
    explicit CBoardNotice(QWidget* pBoard);

    // Shows strText, in place of any notice still shown, for the next c_iShowMs.
    void showNotice(const QString& strText);

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    void place();

    QTimer m_hideTimer;
};
