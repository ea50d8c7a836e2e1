#include "title/sound.h"

#include <algorithm>

namespace velmora {

std::string SendMusicCommand(platform::CommandDevice& device, const std::string& command,
                             std::size_t replyLength) {
    const std::string reply = device.send(command);
    if (replyLength == 0) {
        return {};
    }
    std::string buffer(replyLength, '\0');
    std::copy_n(reply.begin(), std::min(reply.size(), replyLength - 1), buffer.begin());
    return buffer;
}

void StopAllSound(platform::CommandDevice& device) {
    SendMusicCommand(device, "close all", 0);
}

}  // namespace velmora
