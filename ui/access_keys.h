// Access keys that act at once, and by their place on the keyboard.
#pragma once

#include <QObject>
#include <QtGlobal>
#include <initializer_list>
#include <utility>
#include <vector>

class QAbstractButton;
class QWidget;

namespace mezolin {

// The native codes of the keys that carry и and ы on the standard Russian layout, by their place
// on the keyboard, which no layout changes: B and S on a US keyboard. On Windows Qt gives a key's
// scan code; on X11 and Wayland its key code, which is the scan code plus 8.
#ifdef Q_OS_WIN
inline constexpr quint32 KeyOfI = 0x30;
inline constexpr quint32 KeyOfYery = 0x1F;
#else
inline constexpr quint32 KeyOfI = 0x30 + 8;
inline constexpr quint32 KeyOfYery = 0x1F + 8;
#endif

// Watches the window's controls for two things:
// - a button's access key clicks it at once, instead of after a 100 ms press animation, when
//   Enter may already have started another action, or Esc ended the program;
// - under a Latin layout (Alt with the key giving a letter A to Z), Alt with the key of a
//   button's Cyrillic access key matches no access key and would reach the focused control; it
//   clicks that button all the same, as a Russian user expects. Under any other layout the
//   key's own letter decides, as ever.
class AccessKeys : public QObject {
public:
    // Each button with the native key code of its access key's place; watches every control
    // given (the buttons among them). Allocates; throws only std::bad_alloc.
    AccessKeys(std::initializer_list<std::pair<quint32, QAbstractButton*>> buttons,
               std::initializer_list<QWidget*> controls, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // From a key's place to its button.
    std::vector<std::pair<quint32, QAbstractButton*>> buttons_;
};

} // namespace mezolin
