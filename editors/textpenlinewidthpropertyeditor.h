// The editor of the outline width of the text boxes the text pen makes ("textpen.linewidth"), and its
// widget around the host's width box. The width box is disabled while there is no outline, and widths
// are scaled to the board's units when the editor works on selected components.
#pragma once

#include "abstractpropertyeditor.h"
#include "propertyeditorwidget.h"

class CPenWidthWidget;
class CTextPenLineWidthPropertyEditorWidget;
class QLabel;

class CTextPenLineWidthPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    CTextPenLineWidthPropertyEditor(const QString& strProperty, const QString& strTranslationContext,
                                    const QString& strLabel);
    ~CTextPenLineWidthPropertyEditor() override;

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
    CTextPenLineWidthPropertyEditorWidget* m_pWidget;
};

class CTextPenLineWidthPropertyEditorWidget : public CPropertyEditorWidget
{
    Q_OBJECT

public:
    CTextPenLineWidthPropertyEditorWidget(CTextPenLineWidthPropertyEditor* pEditor, QWidget* pParent);
    ~CTextPenLineWidthPropertyEditorWidget() override;

    void setGroupLabel(const QString& strLabel);
    void setCurrentWidth(const QVariant& value);
    void setWidgetEnabled(bool bEnabled);

private slots:
    void slotHandleNewWidth(double width);

private:
    CTextPenLineWidthPropertyEditor* m_pEditor;
    CPenWidthWidget* m_pPenWidthWidget;
    QLabel* m_pLabel;
};
