#pragma once

#include <QIcon>

namespace mezolin {

// The program's icon: a 16 x 16 and a 32 x 32 image, 16 colours each.
QIcon AppIcon();

} // namespace mezolin
