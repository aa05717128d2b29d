// Where the window opens.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace mezolin {

// Returns the top-left corner of the client area of a window whose client area is client large
// and whose frame adds frame around it: stored, where the whole frame then lies within
// available; otherwise moved from stored just enough, across and down, for the frame to lie
// within available, and to available's top-left corner along a side where it is too large for
// it. Does not throw or allocate.
[[nodiscard]] QPoint PlaceWindow(QPoint stored, QSize client, QMargins frame, QRect available);

} // namespace mezolin
