#pragma once

#include <QFont>

namespace mezolin {

// The face the window's layout is drawn for: Arial's widths, on every system.
inline constexpr char WindowFace[] = "Liberation Sans";
// Its size in pixels, the layout's own unit: 8 points at 96 dpi. Text and layout then scale
// together under every setting, and no font DPI alone can grow the text inside a control.
inline constexpr int WindowFontPixels = 11;

// The program's one font, for the window and its message boxes: WindowFace at WindowFontPixels,
// or, where that face is missing, the platform's default face at the same size, named by the
// face it resolves to rather than by an alias such as fontconfig's "Sans Serif".
// Returns the font; needs a QGuiApplication. Does not throw; allocates, and on first use loads
// the face.
QFont WindowFont();

} // namespace mezolin
