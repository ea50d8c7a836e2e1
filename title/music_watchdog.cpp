// The theme music's watchdog, every 100 ms while the title screen shows: a tune that is not
// playing (not yet started, ended, or never opened) is opened and started again from the
// beginning. Failures are silent: a tune that cannot be opened is simply tried again.

#include "core/game.h"
#include "title/frm_intro.h"
#include "title/sound.h"

namespace velmora {

void frmIntro::tmrMusic_Timer() {
    if (!isVisible()) {
        return;
    }
    platform::CommandDevice& music = game().services().music;
    const std::string buffer = SendMusicCommand(music, "status backplay mode", kStatusBufferLength);
    if (buffer.compare(0, 7, "playing") == 0) {
        return;
    }
    if (buffer.compare(0, 6, "paused") == 0) {
        return;
    }
    SendMusicCommand(music, "close all", 0);
    // The folder goes in as it is, blanks and all: the device takes the path up to " type ".
    SendMusicCommand(music,
                     "open " + game().services().paths.folder().toStdString() +
                         "\\Music\\Theme.mid type sequencer alias backplay",
                     0);
    SendMusicCommand(music, "play backplay", 0);
}

}  // namespace velmora
