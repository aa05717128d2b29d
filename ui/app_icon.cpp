#include "ui/app_icon.h"

namespace mezolin {

QIcon AppIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/mezolin-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/mezolin-32.png"), QSize(32, 32));
    return icon;
}

} // namespace mezolin
