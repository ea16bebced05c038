// The background colour of the text boxes the text pen makes ("textpen.fillcolor"): an editor that
// shows the colour in the host's fill colour chooser, as no fill, an opaque or a see-through shade,
// and hands the colour the user chooses back to the host; and the widget that holds the chooser, under
// a group label except in the compact context bar.
#pragma once

#include "abstractpropertyeditor.h"
#include "propertyeditorwidget.h"

class CFillcolourWidget;
class CTextPenFillColourPropertyEditorWidget;
class QLabel;

class CTextPenFillColourPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenFillColourPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                     const QString& strLabel);
    ~CTextPenFillColourPropertyEditor() override;

    void detatch() override;
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;
    QWidget* widget() override;
    void setValue(const QString& strName, const QVariant& value) override;

protected:
    void derivedInitialise() override;

protected slots:
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    CTextPenFillColourPropertyEditorWidget* m_pWidget;
};

class CTextPenFillColourPropertyEditorWidget : public CPropertyEditorWidget
{
    Q_OBJECT

public:
    CTextPenFillColourPropertyEditorWidget(CTextPenFillColourPropertyEditor* pEditor, QWidget* pParent);
    ~CTextPenFillColourPropertyEditorWidget() override;

    void setGroupLabel(const QString& strLabel);
    // The value is a colour as the property holds it; invalid for "no single colour".
    void setCurrentColour(const QVariant& value);

private slots:
    void slotColorSelected(const QString& strColor);

private:
    CTextPenFillColourPropertyEditor* m_pEditor;
    CFillcolourWidget* m_pColourWidget;
    QLabel* m_pGroupLabel;
};
