// The editor of the font family the text pen gives to the text boxes it makes ("textpen.fontfamily"),
// and its widget, which shows the family box of the font family and size widget.
#pragma once

#include "abstractpropertyeditor.h"

#include <QWidget>

class CTextPenFontFamilyAndSizeWidget;
class CTextPenFontFamilyPropertyEditorWidget;

class CTextPenFontFamilyPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenFontFamilyPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                     const QString& strLabel);
    ~CTextPenFontFamilyPropertyEditor() override;

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
    CTextPenFontFamilyPropertyEditorWidget* m_pWidget;
};

class CTextPenFontFamilyPropertyEditorWidget : public QWidget
{
    Q_OBJECT

public:
    CTextPenFontFamilyPropertyEditorWidget(CTextPenFontFamilyPropertyEditor* pEditor, QWidget* pParent);

    void setFontFamily(const QString& family);

private slots:
    void slotFontFamilyOrSizeSelected(const QString&);

private:
    CTextPenFontFamilyPropertyEditor* m_pEditor;
    CTextPenFontFamilyAndSizeWidget* m_pFontFamilyAndSizeWidget;
};
