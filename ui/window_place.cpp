#include "ui/window_place.h"

#include <algorithm>

namespace mezolin {
namespace {

// The start of a span of length `size` put at `at`, moved just enough to lie within
// [low, high); at low where it is longer than that.
int Fit(int at, int size, int low, int high) {
    return std::max(low, std::min(at, high - size));
}

} // namespace

QPoint PlaceWindow(QPoint stored, QSize client, QMargins frame, QRect available) {
    const QSize whole = client.grownBy(frame);
    const int left = Fit(stored.x() - frame.left(), whole.width(), available.left(),
                         available.left() + available.width());
    const int top = Fit(stored.y() - frame.top(), whole.height(), available.top(),
                        available.top() + available.height());
    return {left + frame.left(), top + frame.top()};
}

} // namespace mezolin
