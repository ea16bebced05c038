// The base of the host's pen colour choosers: a grid of shade buttons, each standing for a pen
// description (pen type, ";", colour text). A shade the user clicks is announced with its
// description; descriptions shown from code are announced to no one. A description that no shade
// offers is shown on a button of its own at the end of the grid, which keeps the latest such one.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QGridLayout;

class CColourShadesWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CColourShadesWidget(QWidget* pParent = nullptr);
    ~CColourShadesWidget() override;

    // Checks the shade of the pen description given as text; an invalid value checks none.
    void setCurrentColor(const QVariant& value);
    // The description of the checked shade; empty when none is checked.
    QString currentDescription() const;
    // The descriptions offered, in the order of the grid, the button of its own included once used.
    QStringList shadeDescriptions() const;
    // The button of a shade, for whoever needs to show or press it; null when not offered.
    QAbstractButton* shadeButton(const QString& strDescription) const;

signals:
    void signalTypeAndColourSelected(const QString& strTypeAndColour);

protected:
    void addShade(const QString& strDescription, const QColor& color, const QString& strName);
    // The shade for no colour; it goes first in the grid.
    void addNoneShade(const QString& strDescription);
    bool hasShade(const QString& strDescription) const;

private:
    QAbstractButton* makeButton(const QString& strDescription, const QIcon& icon, const QString& strName);
    QAbstractButton* findShade(const QString& strDescription) const;
    void uncheckAll();
    void layOut();

    QGridLayout* m_pGrid;
    QButtonGroup* m_pGroup;
    QList<QAbstractButton*> m_shades;
    QAbstractButton* m_pOwnColour = nullptr;
};
