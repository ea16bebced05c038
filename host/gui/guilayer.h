// The host's GUI layer: the tool-properties perspectives, and the reset of the whole host, since this
// layer sits on top of the core and supplies the core's GUI managers.
#pragma once

#include "orrery.h"

#include <memory>

class CToolPropertiesPerspectiveManager;

class CGUILayer
{
public:
    static CGUILayer* get();

    CToolPropertiesPerspectiveManager* getToolPerspectiveManager() const
    {
        return m_pPerspectiveManager.get();
    }
    // The editors' manager lives in the core; surfaces reach it through the layer they are built on.
    CPropertyEditorManager* getPropertyEditorManager() const { return COrrery::getPropertyEditorManager(); }

    // A fresh host: the core (COrrery::reset) with the GUI layer's managers installed.
    static void resetHost(const SHostOptions& options = SHostOptions());
    // Drops every manager and everything registered with them; plug-ins may be unloaded after this.
    static void shutdownHost();

    ~CGUILayer();

private:
    CGUILayer();

    std::unique_ptr<CToolPropertiesPerspectiveManager> m_pPerspectiveManager;
};
