// The host's property editors: registered prototypes, kept in registration order, and the clones
// made from them for the surfaces that show a property.
#pragma once

#include "abstractpropertyeditor.h"

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>
#include <vector>

class CPropertyEditorManager
{
public:
    CPropertyEditorManager();
    ~CPropertyEditorManager();

    CPropertyEditorManager(const CPropertyEditorManager&) = delete;
    CPropertyEditorManager& operator=(const CPropertyEditorManager&) = delete;

    // Refuses a null editor, one without properties and one for a property that a registered
    // prototype already edits.
    bool registerEditor(const boost::shared_ptr<CAbstractPropertyEditor>& pEditor);

    // A clone of the prototype that edits strProperty, initialised for eContext; null when none does.
    boost::shared_ptr<CAbstractPropertyEditor> createEditor(const QString& strProperty,
                                                            CAbstractPropertyEditor::EEditorContext eContext);

    const std::vector<boost::shared_ptr<CAbstractPropertyEditor>>& prototypes() const { return m_prototypes; }

    // The properties edited by the editors made here that are still alive and have their widget in
    // pArea: what a surface built by someone else offers.
    QStringList propertiesShownIn(const QWidget* pArea) const;

private:
    CAbstractPropertyEditor* prototypeFor(const QString& strProperty) const;

    std::vector<boost::shared_ptr<CAbstractPropertyEditor>> m_prototypes;
    // Not owned: a clone belongs to the surface that asked for it.
    std::vector<boost::weak_ptr<CAbstractPropertyEditor>> m_clones;
};
