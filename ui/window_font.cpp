#include "ui/window_font.h"

#include <QFontInfo>
#include <QGuiApplication>

namespace mezolin {

QFont WindowFont() {
    QFont font = QGuiApplication::font();
    font.setPointSize(8);
    // Qt cannot find an alias among its families. It asks fontconfig for a sorted fallback list
    // instead, once for each script the window writes (Latin and Cyrillic), and that search
    // costs more at start-up than building all the controls. The face the alias resolves to is
    // found once and then named directly; characters it lacks still come from other faces.
    font.setFamilies({QFontInfo(font).family()});
    return font;
}

} // namespace mezolin
