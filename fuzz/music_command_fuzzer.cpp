// Any lines of text as music commands, one after the other, to the game's music device: each
// answers a text (empty when it cannot be carried out) and never faults. "$THEME" in a line
// stands for the shipped theme, so that the seeds can open a real tune wherever the sources
// are. The tune advances a little after every command, as a sound card would take it.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/midi_player.h"

namespace {

platform::MidiPlayer* player = nullptr;

void dropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qInstallMessageHandler(dropMessages);
    // No sound device, and a soundfont folder of the game's own that is empty: the system's
    // General MIDI soundfont is loaded once, at the first tune that opens.
    static QTemporaryDir noSoundFonts;
    player = new platform::MidiPlayer(
        platform::MidiPlayer::Options{{}, noSoundFonts.path(), platform::MidiPlayer::kGain});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::string theme = VELMORA_FUZZ_THEME;
    std::vector<float> samples(2 * 256);
    std::size_t begin = 0;
    while (begin <= input.size()) {
        std::size_t end = input.find('\n', begin);
        if (end == std::string::npos) {
            end = input.size();
        }
        std::string command = input.substr(begin, end - begin);
        for (std::size_t at = command.find("$THEME"); at != std::string::npos;
             at = command.find("$THEME", at + theme.size())) {
            command.replace(at, 6, theme);
        }
        player->send(command);
        player->render(samples.data(), 256);
        begin = end + 1;
    }
    player->send("close all");
    return 0;
}
