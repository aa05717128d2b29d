#include "ui/window_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>

namespace mezolin {

QFont WindowFont() {
    QFont font = QGuiApplication::font();
    // A family Qt does not know makes it ask fontconfig for a sorted fallback list, once for
    // each script the window writes (Latin and Cyrillic), which costs more at start-up than
    // building all the controls. So the face is named only where it is there; otherwise the
    // default face is found once and then named directly. Characters a face lacks still come
    // from other faces.
    font.setPixelSize(WindowFontPixels);
    const QString face = QString::fromLatin1(WindowFace);
    font.setFamilies({QFontDatabase::hasFamily(face) ? face : QFontInfo(font).family()});
    return font;
}

} // namespace mezolin
