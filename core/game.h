#pragma once

#include <functional>
#include <memory>

#include "core/char_tables.h"
#include "core/screen_flow.h"
#include "core/sprite_sheet.h"
#include "platform/audio/mci.h"
#include "platform/base/asset_paths.h"
#include "platform/base/clock.h"
#include "platform/desktop/fatal.h"
#include "platform/widgets/display.h"
#include "platform/widgets/file_dialog.h"

namespace velmora {

class Form;

// What the game gets from its surroundings; tests pass fakes.
struct Services {
    // The display as it is now; read each time a screen is created, so a screen made after a
    // change of resolution fits the new display.
    std::function<platform::Display()> display;
    platform::Clock& clock;
    platform::AssetPaths paths;
    platform::CommandDevice& music;
    platform::FileDialog& fileDialog;
    platform::FatalReporter& fatal;
};

// The state every screen shares: the services, the screen flow, the party and foe tables
// (modChar), the sprite sheet and the four screens by name.
class Game {
  public:
    explicit Game(Services services) : services_(std::move(services)), flow_(services_.fatal) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Services& services() { return services_; }
    ScreenFlow& flow() { return flow_; }

    CharTables modChar;

    // The sprite sheet of the current map screen. A screen that draws from it keeps its own
    // reference, so it stays usable after the map window has closed.
    std::shared_ptr<const SpriteSheet> sprites;

    void setScreens(Form& map, Form& menu, Form& battle, Form& intro);
    Form& frmMap() const { return *map_; }
    Form& frmMenu() const { return *menu_; }
    Form& frmBattle() const { return *battle_; }
    Form& frmIntro() const { return *intro_; }

    // The program starts by showing the map screen.
    void start();

  private:
    Services services_;
    ScreenFlow flow_;
    Form* map_ = nullptr;
    Form* menu_ = nullptr;
    Form* battle_ = nullptr;
    Form* intro_ = nullptr;
};

}  // namespace velmora
