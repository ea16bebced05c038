// The text pen's page in the host's tool-properties area: a column of eight editors for the text
// pen's font, colours, weight and style, outline and fill, and "Show alternatives", brought up to date
// whenever the text pen becomes the active tool.
#pragma once

#include <QVector>
#include <QWidget>
#include <boost/shared_ptr.hpp>

class CAbstractPropertyEditor;

class CTextPenPropertiesWidget : public QWidget
{
    Q_OBJECT

public:
    // The factory the host calls with the container in which the page is to live.
    static QWidget* create(QWidget* pParent);

    explicit CTextPenPropertiesWidget(QWidget* pParent);
    ~CTextPenPropertiesWidget() override;

    const QVector<boost::shared_ptr<CAbstractPropertyEditor>>& editors() const { return m_editors; }

private slots:
    void slotToolPropertyChanged(const QString& strPropertyName, const QVariant& newValue);
    void slotToolChanged();

private:
    QVector<boost::shared_ptr<CAbstractPropertyEditor>> m_editors;
};
