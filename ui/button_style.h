// The push buttons' style: the platform's own, with the caption allowed the button's whole
// inner width.
#pragma once

#include <QProxyStyle>

namespace mezolin {

// The window's buttons are barely wider than their captions. A style that keeps room for the
// default-button indicator inside the frame (as Windows' does, with Tahoma 8 pt "Вычислить"
// is 59 pixels in a 57-pixel space) clips the caption at both ends; this one lets the caption
// use everything inside the frame. Captions that fit are drawn as before, centred.
class ButtonStyle : public QProxyStyle {
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

} // namespace mezolin
