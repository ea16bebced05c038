// The text pen's context bar, "Text Pen Functions": the strip of quick editors that the host shows
// along the bottom of its window while the text pen is the selected tool. It keeps six editors, shows
// the font family, text colour and weight-and-style ones, and brings all six up to date whenever the
// text pen becomes active.
#pragma once

#include "contextbarinterface.h"

#include <QVector>
#include <boost/shared_ptr.hpp>

class CAbstractPropertyEditor;

class CContextbarTextPen : public CContextbarInterface
{
    Q_OBJECT

public:
    CContextbarTextPen();

    void initialize(QWidget* pParent) override;
    QString getName() override;
    QString getDisplayName() override;
    // True exactly when the text pen's selected state changed.
    bool toolSelectionStateChanged(const QString& strToolName, bool bSelected) override;

    const QVector<boost::shared_ptr<CAbstractPropertyEditor>>& editors() const { return m_editors; }

private slots:
    void setToolTips();
    void slotLanguageChanged();
    void slotSyncEditorsToProperties();

private:
    // Released before the tool bar base goes, so each editor deletes its widget while the bar is whole.
    QVector<boost::shared_ptr<CAbstractPropertyEditor>> m_editors;
};
