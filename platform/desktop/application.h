#pragma once

#include <QApplication>
#include <QByteArray>
#include <QProcessEnvironment>
#include <utility>
#include <vector>

class QKeyEvent;

namespace platform {

// The game's key codes for a key event: 16 Shift, 17 Ctrl, 18 Alt, 27 Escape, 32 Space,
// 33 Page Up, 34 Page Down, 37 to 40 the arrows, 48 to 57 digits, 65 to 90 letters.
int virtualKeyCode(const QKeyEvent& event);
// 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftState(const QKeyEvent& event);

// Scaling for a desktop scaled by a fraction (150 %, 125 %): pictures must stay whole multiples
// on the device, so the window system applies only a whole scale factor and the rest goes into
// the game's DPI (its twips and its text). The window system's own factor goes to the nearest
// whole number, a half going down: a 1024 × 768 screen at 150 % stays 1024 × 768 pixels at 144
// DPI, rather than 512 × 384 at 72 DPI, narrower than the title picture.
struct WholeScaling {
    // Environment variables to set before the application object exists.
    std::vector<std::pair<QByteArray, QByteArray>> environment;
    // The part of the player's scale factor left to the game (1 when none is left).
    double dpiScale = 1;
};
// What to change in `environment`: a fractional QT_SCALE_FACTOR (or one factor for every screen
// in QT_SCREEN_SCALE_FACTORS) becomes whole with the remainder left to the game, and a
// rounding policy that passes fractions through rounds instead.
WholeScaling wholeScaling(const QProcessEnvironment& environment);
// The whole factor for a fractional one: the nearest, a half going down; at least 1.
double wholeScaleFactor(double factor);

// Why no window could be opened, in one line, from the environment and Qt's last message
// (which lists the platform plugins it found): the displays that were named and could not be
// reached, and a Wayland display that needs Qt's Wayland plugin when that is not installed.
QString unreachableDisplay(const QProcessEnvironment& environment, const QString& qtMessage);

// The application object of the game. It hands each key press to the game window it is typed
// into before the focused control sees it (key preview), and swallows input meant for a window
// while another one holds the input.
class Application final : public QApplication {
  public:
    Application(int& argc, char** argv);
    // Before the application object exists: the window system scales by whole factors only.
    static void useWholeScaling();
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace platform
