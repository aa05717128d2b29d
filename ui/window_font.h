#pragma once

#include <QFont>

namespace mezolin {

// The program's one font, for the window and its message boxes: the platform's default family
// at 8 points, the size the window's layout is drawn for. The family is named by the face it
// resolves to, not by an alias such as fontconfig's "Sans Serif".
// Returns the font; needs a QGuiApplication. Does not throw; allocates, and on first use loads
// the default face.
QFont WindowFont();

} // namespace mezolin
