#include "ui/app_icon.h"

#include <QImageReader>
#include <QPixmap>

namespace mezolin {
namespace {

// The image is read by Qt's own PNG reader directly. Left to guess, the reader would load every
// image-format plugin to ask it whether it knows the file, which costs more at start-up than
// the whole icon.
QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

QIcon AppIcon() {
    // Pixmaps rather than file names: QIcon::addFile would first search the icon engine
    // plugins for the file's type, which costs more than decoding both images.
    QIcon icon;
    icon.addPixmap(ReadPng(QStringLiteral(":/icons/mezolin-16.png")));
    icon.addPixmap(ReadPng(QStringLiteral(":/icons/mezolin-32.png")));
    return icon;
}

} // namespace mezolin
