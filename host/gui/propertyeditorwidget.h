// The base of the widgets that property editors show: it keeps the name of the group of settings the
// widget belongs to, which surfaces show above it and assistive tools read out.
#pragma once

#include <QString>
#include <QWidget>

class CPropertyEditorWidget : public QWidget
{
    Q_OBJECT

public:
    explicit CPropertyEditorWidget(QWidget* pParent = nullptr);
    ~CPropertyEditorWidget() override;

    void setGroupLabel(const QString& strLabel);
    QString groupLabel() const { return m_strGroupLabel; }

private:
    QString m_strGroupLabel;
};
