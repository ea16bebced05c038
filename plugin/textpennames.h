// The names under which the text pen's objects are known to the host.
#pragma once

namespace textpen {

constexpr const char c_szPluginID[] = "veltra.textpenplugin-1.0";
constexpr const char c_szPluginName[] = "textpenplugin";
constexpr const char c_szToolName[] = "textpenplugin.handtext";
constexpr const char c_szActionName[] = "tool.textpen";
constexpr const char c_szLaserPenActionName[] = "tool.laserpen";
constexpr const char c_szContextbarName[] = "textpenplugin.handtext.contextbar";

// The text pen's settings. Those under the prefix that the host's text tool has too, without it, are
// kept the same in both tools; the outline colour is the text tool's "pencolor".
constexpr const char c_szPropertyPrefix[] = "textpen.";
constexpr const char c_szFontFamily[] = "textpen.fontfamily";
constexpr const char c_szFontColor[] = "textpen.fontcolor";
constexpr const char c_szBold[] = "textpen.bold";
constexpr const char c_szItalic[] = "textpen.italic";
constexpr const char c_szUnderline[] = "textpen.underline";
constexpr const char c_szAlignment[] = "textpen.alignment";
constexpr const char c_szLineColor[] = "textpen.linecolor";
constexpr const char c_szFillColor[] = "textpen.fillcolor";
constexpr const char c_szLineStyle[] = "textpen.linestyle";
constexpr const char c_szLineWidth[] = "textpen.linewidth";
constexpr const char c_szOverwriteTextBox[] = "overwritetextbox";
constexpr const char c_szShowCandidates[] = "showcandidates";

} // namespace textpen
