#include "guilayer.h"

#include "contextbarmanager.h"
#include "propertyeditormanager.h"
#include "toolpropertiesperspectivemanager.h"

namespace {
std::unique_ptr<CGUILayer>& instance()
{
    static std::unique_ptr<CGUILayer> s_pLayer;
    return s_pLayer;
}
} // namespace

CGUILayer::CGUILayer() : m_pPerspectiveManager(std::make_unique<CToolPropertiesPerspectiveManager>())
{
}

CGUILayer::~CGUILayer() = default;

CGUILayer* CGUILayer::get()
{
    std::unique_ptr<CGUILayer>& pLayer = instance();
    if (!pLayer)
        pLayer.reset(new CGUILayer());
    return pLayer.get();
}

void CGUILayer::resetHost(const SHostOptions& options)
{
    shutdownHost();
    COrrery::reset(options);
    auto pContextbars = std::make_shared<CContextbarManager>();
    pContextbars->watchTools(COrrery::getToolManager());
    COrrery::installGuiManagers(pContextbars, std::make_shared<CPropertyEditorManager>());
    get();
}

void CGUILayer::shutdownHost()
{
    // Perspective factories live in plug-in code: they must not survive the plug-in.
    instance().reset();
    COrrery::shutdown();
}
