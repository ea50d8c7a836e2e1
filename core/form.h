#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "core/checked.h"
#include "platform/widgets/display.h"
#include "platform/widgets/window.h"

namespace velmora {

class Game;

// One screen of the game: a single instance for the whole run, either not loaded (no window,
// no controls) or loaded. Its screen-level variables are members of the subclass and survive
// closing; its controls live only while it is loaded. Showing an unloaded screen creates its
// window and controls and runs Form_Load first.
class Form : public platform::EventSink {
  public:
    Form(Game& game, QString caption);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& caption() const { return caption_; }
    bool isLoaded() const { return window_ != nullptr; }
    // Loaded and shown. Asking never loads the screen.
    bool isVisible() const { return isLoaded() && shown_; }

    void show();
    // Shows the screen and holds the game's input until it closes; `afterClose` then goes on
    // with whatever the caller was doing (after the screen beneath has been re-activated).
    void showModal(std::function<void()> afterClose);
    // Runs Form_QueryUnload, then destroys the window and its controls and stops its timers.
    void unload();

    // The window while loaded, else null.
    platform::Window* window() const { return window_; }

  protected:
    Game& game() const { return game_; }
    const platform::Display& display() const;

    // Builds the window's controls as designed; they are destroyed with the window.
    virtual std::unique_ptr<platform::ControlSet> createControls(platform::Window& window) = 0;
    template <class Controls>
    Controls& controls() const {
        return static_cast<Controls&>(*controls_);
    }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload() {}
    virtual void Form_KeyDown(Int16 /*keyCode*/, Int16 /*shift*/) {}

  private:
    friend class ScreenFlow;

    void load();
    void makeVisible();
    void activate();

    // platform::EventSink
    void deliver(const std::function<void()>& handler) override;
    bool acceptsInput() const override;
    void keyDown(int keyCode, int shift) override;
    void closeRequested() override;
    void activatedByUser() override;

    Game& game_;
    QString caption_;
    platform::Window* window_ = nullptr;
    platform::ControlSet* controls_ = nullptr;
    // The display this screen was created for.
    platform::Display display_;
    bool shown_ = false;
};

}  // namespace velmora
