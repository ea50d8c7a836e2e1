#pragma once

#include <QApplication>

class QKeyEvent;

namespace platform {

// The game's key codes for a key event: 16 Shift, 17 Ctrl, 18 Alt, 27 Escape, 32 Space,
// 33 Page Up, 34 Page Down, 37 to 40 the arrows, 48 to 57 digits, 65 to 90 letters.
int virtualKeyCode(const QKeyEvent& event);
// 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftState(const QKeyEvent& event);

// The application object of the game. It hands each key press to the game window it is typed
// into before the focused control sees it (key preview), and swallows input meant for a window
// while another one holds the input.
class Application final : public QApplication {
  public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform
