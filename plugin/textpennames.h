// The names under which the text pen's objects are known to the host.
#pragma once

namespace textpen {

constexpr const char c_szPluginID[] = "veltra.textpenplugin-1.0";
constexpr const char c_szPluginName[] = "textpenplugin";
constexpr const char c_szToolName[] = "textpenplugin.handtext";
constexpr const char c_szActionName[] = "tool.textpen";
constexpr const char c_szLaserPenActionName[] = "tool.laserpen";
constexpr const char c_szContextbarName[] = "textpenplugin.handtext.contextbar";

} // namespace textpen
