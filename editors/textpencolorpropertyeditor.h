// The text colour of the text pen ("textpen.fontcolor"): an editor that shows the colour in the host's
// colour box and hands the colour the user picks back to the host, and the widget that holds the box.
#pragma once

#include "abstractpropertyeditor.h"
#include "textpropertieswidgetbase.h"

#include <QColor>

class CColorSelect;
class CTextPenColorPropertyEditorWidget;

class CTextPenColorPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenColorPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                const QString& strLabel);
    ~CTextPenColorPropertyEditor() override;

    void detatch() override;
    QStringList relatedProperties() override;
    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;
    QWidget* widget() override;
    void setValue(const QString& strName, const QVariant& value) override;

protected:
    void derivedInitialise() override;

private slots:
    void slotLanguageChanged(const QString& strLocale, bool bIsRightToLeft);

private:
    CTextPenColorPropertyEditorWidget* m_pWidget;
};

class CTextPenColorPropertyEditorWidget : public CTextPropertiesWidgetBase
{
    Q_OBJECT

public:
    CTextPenColorPropertyEditorWidget(CTextPenColorPropertyEditor* pEditor, QWidget* pParent);

    // An invalid colour stands for "no single colour" and shows an empty entry.
    void setColor(const QColor& color);

private slots:
    void slotColorSelected(const QString& strColor);

private:
    CTextPenColorPropertyEditor* m_pEditor;
    CColorSelect* m_pColorSelect;
};
