#include "ui/button_style.h"

#include <QStyleOptionButton>
#include <QWidget>

namespace mezolin {

void ButtonStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    if (element == CE_PushButtonLabel && button != nullptr && widget != nullptr) {
        QStyleOptionButton wider = *button;
        const int frame = pixelMetric(PM_DefaultFrameWidth, option, widget);
        wider.rect.setLeft(widget->rect().left() + frame);
        wider.rect.setRight(widget->rect().right() - frame);
        QProxyStyle::drawControl(element, &wider, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

} // namespace mezolin
