// The board's units and how they meet the screen, in one place: the scene units of the board, the
// view's default zoom, the point size of text and the LP-to-DP ratio that scales the tools' sizes.
#pragma once

namespace boardunits {

// Scene units per screen pixel at the view's default zoom. Plug-ins size text from the writing's
// height in scene units with a floor of 200 units (0.7 points per unit, over the ratio): with one
// unit per pixel ordinary writing would be all floor. Ten units a pixel put that floor at 20 px on
// screen, below the smallest writing a teacher does.
constexpr double c_dUnitsPerPixel = 10.0;

// Point sizes are shown at the screen's resolution (16 px for 12 pt at 96 dpi, as anywhere else on
// the screen): a text box draws its item scaled by the units per pixel.
constexpr double c_dPixelsPerPoint = 96.0 / 72.0;
constexpr double c_dUnitsPerPoint = c_dUnitsPerPixel * c_dPixelsPerPoint;

// Writing H px tall gets 0.7 * H * c_dUnitsPerPixel / ratio points, whose letters then stand
// c * 0.7 * c_dUnitsPerPoint / ratio * H tall, c being the font's glyph height per em (about 0.53
// for "are", 0.94 for "happy"). Handwriting's ascenders and descenders are shorter than a font's, so the
// factor that brings the most words within 30 % of their writing is about 1.3 (99 % of 1812 recorded words).
// The ratio follows from it, about 7.2: a tool's width of 1 is 0.72 px on screen, the cap of
// 64 * ratio points comes at writing about 470 px tall.
constexpr double c_dTextPerWriting = 1.3;
constexpr double c_dLPToDPRatio = 0.7 * c_dUnitsPerPoint / c_dTextPerWriting;

// The default zoom's scale of the view: screen pixels per scene unit.
constexpr double c_dDefaultViewScale = 1.0 / c_dUnitsPerPixel;

} // namespace boardunits
