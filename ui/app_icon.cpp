#include "ui/app_icon.h"

#include <QPixmap>

namespace mezolin {
namespace {

// The icon's editable sources are C arrays, compiled in as they stand: nothing to read from
// the resources or to decompress at start-up.
#include "icons/mezolin-16.xpm"
#include "icons/mezolin-32.xpm"

} // namespace

QIcon AppIcon() {
    // Pixmaps rather than file names: QIcon::addFile would first search the icon engine
    // plugins for the file's type.
    QIcon icon;
    icon.addPixmap(QPixmap(mezolin_16));
    icon.addPixmap(QPixmap(mezolin_32));
    return icon;
}

} // namespace mezolin
