// A short hint in the middle of an empty board, for someone who has not written on it yet. It lies
// over the board without taking any input, and goes for good at the first stroke of a pen on the
// board, or as soon as anything is on the page.
#pragma once

#include <QLabel>

class COrreryView;

class CBoardHint : public QLabel
{
    Q_OBJECT

public:
    CBoardHint(COrreryView* pBoard, const QString& strText);
    ~CBoardHint() override;

    void setHint(const QString& strText);

signals:
    // The user began to write or draw on the board; the hint is gone.
    void signalWritten();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    static bool activeToolWrites();
    void place();
    void slotBoardChanged();

    COrreryView* m_pBoard;
};
