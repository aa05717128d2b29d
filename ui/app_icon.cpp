#include "ui/app_icon.h"

#include <QPixmap>

namespace mezolin {

QIcon AppIcon() {
    // Pixmaps rather than file names: QIcon::addFile would first search the icon engine
    // plugins for the file's type, which costs more than decoding both images.
    QIcon icon;
    icon.addPixmap(QPixmap(QStringLiteral(":/icons/mezolin-16.png")));
    icon.addPixmap(QPixmap(QStringLiteral(":/icons/mezolin-32.png")));
    return icon;
}

} // namespace mezolin
