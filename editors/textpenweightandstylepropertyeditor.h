// The editor of the text pen's bold, italic and underline ("textpen.bold", "textpen.italic",
// "textpen.underline"), the one editor that covers several properties, and its widget, which shows
// them as the host's three switches.
#pragma once

#include "abstractpropertyeditor.h"

#include <QWidget>

class CTextWeightAndStyleWidget;
class CTextPenWeightAndStylePropertyEditorWidget;

class CTextPenWeightAndStylePropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenWeightAndStylePropertyEditor(const QStringList& properties, const QString& strTranslationContext,
                                         const QString& strLabel);
    ~CTextPenWeightAndStylePropertyEditor() override;

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
    CTextPenWeightAndStylePropertyEditorWidget* m_pWidget;
};

class CTextPenWeightAndStylePropertyEditorWidget : public QWidget
{
    Q_OBJECT

public:
    CTextPenWeightAndStylePropertyEditorWidget(CTextPenWeightAndStylePropertyEditor* pEditor,
                                               QWidget* pParent);

    // iWeightAndStyle: bold 1, italic 2, underline 4, combined.
    void setWeightAndStyle(int iWeightAndStyle);

private slots:
    void slotWeightAndStyleSelected(const QString&, bool);

private:
    CTextPenWeightAndStylePropertyEditor* m_pEditor;
    CTextWeightAndStyleWidget* m_pWeightAndStyleWidget;
};
