// Keeps the application's texts where its layout direction puts them. Qt aligns a label by the
// direction of its own text, so an untranslated English label stays at the left of a window laid out
// right to left while everything around it moves right; and a text that ends in punctuation ("…",
// ")") has that end drawn at the wrong side. The follower aligns every label to the leading edge of
// its layout, and again whenever the direction changes; texts for menus and bars are anchored so that
// their ends stay with them.
#pragma once

#include <QObject>
#include <QString>

class CLayoutDirectionFollower : public QObject
{
    Q_OBJECT

public:
    // Watches every label of the application from now on; installing it again changes nothing.
    static void install();

    // The text with its trailing punctuation kept at its end in either direction: a text that starts
    // left to right and ends in punctuation gets a left-to-right mark after it; other texts are left
    // as they are.
    static QString anchored(const QString& strText);

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    explicit CLayoutDirectionFollower(QObject* pParent);
};
