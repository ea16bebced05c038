// The base of the host's own property editors, those for the settings of its pen and text tools. An
// editor makes its widget when it is initialised and owns it until a surface takes it over (detatch);
// it shows the value of the active tool, or of the selection in the selection context.
#pragma once

#include "abstractpropertyeditor.h"

#include <QPointer>
#include <QWidget>

class CHostPropertyEditor : public CAbstractPropertyEditor
{
    Q_OBJECT

public:
    // Makes a new editor of the same class, for clones.
    typedef CHostPropertyEditor* (*FMakeEditor)();

    CHostPropertyEditor(const QStringList& properties, const char* szLabel, FMakeEditor pfnMake);
    ~CHostPropertyEditor() override;

    boost::shared_ptr<CAbstractPropertyEditor> clone(CPropertyEditorManager* pManager,
                                                     EEditorContext eContext) override;

    void detatch() override;
    QWidget* widget() override { return m_pWidget; }
    void setValue(const QString& strName, const QVariant& value) override;

    // The host's editors, registered once with the manager: pen colour and width, font, text colour,
    // and weight and style.
    static void registerAll(CPropertyEditorManager* pManager);

protected:
    virtual QWidget* makeWidget() = 0;
    // Shows the value read for strName, one of properties(), in the widget.
    virtual void showValue(const QString& strName, const QVariant& value) = 0;
    void derivedInitialise() override;

private:
    FMakeEditor m_pfnMake;
    QPointer<QWidget> m_pWidget;
};
