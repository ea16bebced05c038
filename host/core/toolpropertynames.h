// The names of the settings of the host's own tools. The text tool's text and outline settings are
// taken by its text boxes under the same names; a pen tool, and the ink it leaves, name the ink's
// colour and width as the text tool names the outline's.
#pragma once

namespace toolproperty {

constexpr const char c_szTextToolName[] = "text";

constexpr const char c_szFontFamily[] = "fontfamily";
constexpr const char c_szFontSize[] = "fontsize";
constexpr const char c_szFontColor[] = "fontcolor";
constexpr const char c_szBold[] = "bold";
constexpr const char c_szItalic[] = "italic";
constexpr const char c_szUnderline[] = "underline";
constexpr const char c_szAlignment[] = "alignment";
constexpr const char c_szPenColor[] = "pencolor";
constexpr const char c_szFillColor[] = "fillcolor";
constexpr const char c_szLineStyle[] = "linestyle";
constexpr const char c_szLineWidth[] = "linewidth";
// The colour the colour actions show and set on the active tool.
constexpr const char c_szPrimaryColor[] = "primarycolor";

} // namespace toolproperty
