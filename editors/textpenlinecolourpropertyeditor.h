// The outline colour of the text boxes the text pen makes ("textpen.linecolor"): an editor that shows
// the outline's pen in the host's pen colour chooser and hands the user's choice back to the host,
// with the outline style the chosen pen demands; and the widget that holds the chooser, under a group
// label except in the compact context bar.
#pragma once

#include "abstractpropertyeditor.h"
#include "propertyeditorwidget.h"

class CPencolourWidget;
class CTextPenLineColourPropertyEditorWidget;
class QLabel;

class CTextPenLineColourPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenLineColourPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                     const QString& strLabel);
    ~CTextPenLineColourPropertyEditor() override;

    void detatch() override;
    QStringList relatedProperties() override;
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;
    QWidget* widget() override;
    void setValue(const QString& strName, const QVariant& value) override;

protected:
    void derivedInitialise() override;

protected slots:
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    CTextPenLineColourPropertyEditorWidget* m_pWidget;
};

class CTextPenLineColourPropertyEditorWidget : public CPropertyEditorWidget
{
    Q_OBJECT

public:
    CTextPenLineColourPropertyEditorWidget(CTextPenLineColourPropertyEditor* pEditor, QWidget* pParent);
    ~CTextPenLineColourPropertyEditorWidget() override;

    void setGroupLabel(const QString& strLabel);
    // The value is a pen description as the property holds it.
    void setCurrentColour(const QVariant& value);

private slots:
    void slotColorSelected(const QString& strColor);

private:
    CTextPenLineColourPropertyEditor* m_pEditor;
    CPencolourWidget* m_pColourWidget;
    QLabel* m_pGroupLabel;
};
