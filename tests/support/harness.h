#pragma once

#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "app/velmora.h"
#include "platform/base/clock.h"
#include "platform/widgets/command_button.h"
#include "platform/widgets/controls.h"
#include "support/fakes.h"

namespace testing_support {

// The whole game, headless, on a virtual clock and a chosen display, with its own asset files.
// Actions go through the window system; a run-time error that ends the game is thrown here.
class Harness {
  public:
    // `gameClock` and `gameDialog`, when given, stand in for `clock` and `fileDialog` in the game.
    explicit Harness(int width = 1024, int height = 768, float twipsPerPixel = 15,
                     platform::Clock* gameClock = nullptr,
                     platform::FileDialog* gameDialog = nullptr);
    ~Harness();

    // The player changes the display: screens created from now on see this one.
    void changeDisplay(const platform::Display& display) { display_ = display; }
    // The game's folder; its name has a blank in it, as players' folders may.
    QString assetFolder() const { return assets_.filePath(QStringLiteral("my game")); }

    void start() {
        game().start();
        settle();
    }
    // A key pressed while `form`'s window has the keyboard focus.
    void press(velmora::Form& form, int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void type(QWidget* widget, const QString& text);
    void click(platform::CommandButton& button);
    void closeBox(velmora::Form& form) {
        form.window()->close();
        settle();
    }
    // The player clicks another of the game's windows.
    void activate(velmora::Form& form);
    void advance(int ms) {
        clock.advance(ms);
        settle();
    }

    // What happened to the screens, in order: "load Map", "activate Map", "close Battle", ...
    const std::vector<std::string>& journal() const { return journal_; }
    void clearJournal() { journal_.clear(); }

    bool ended() const { return game().flow().ended(); }
    int exitCode() const { return game().flow().exitCode(); }
    velmora::Game& game() const { return velmora_->game; }
    velmora::Velmora& velmora() const { return *velmora_; }
    velmora::frmMap& map() { return velmora_->map; }
    velmora::frmMenu& menu() { return velmora_->menu; }
    velmora::frmBattle& battle() { return velmora_->battle; }
    velmora::frmIntro& intro() { return velmora_->intro; }

    platform::VirtualClock clock;
    FakeMusic music;
    FakeFileDialog fileDialog;
    RecordingReporter reporter;

  private:
    // Lets closed windows go and hands a run-time error that ended the game to the test.
    void settle();

    platform::Display display_;
    QTemporaryDir assets_;
    std::unique_ptr<velmora::Velmora> velmora_;
    std::vector<std::string> journal_;
    bool reportedError_ = false;
};

// Once pending paints are done, the window shows what painting all of it afresh would show:
// nothing left over from a scroll or a partial repaint.
bool showsAWholeRepaint(QWidget* window);

}  // namespace testing_support
