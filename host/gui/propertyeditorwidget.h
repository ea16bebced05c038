// The base of the widgets that property editors show: it is named after the group of settings it
// belongs to, for assistive tools to read out.
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
};
