#pragma once

#include <cstddef>
#include <string>

#include "platform/audio/mci.h"

namespace velmora {

// The length of the buffer that takes the reply to "status backplay mode".
constexpr std::size_t kStatusBufferLength = 255;

// Sends one music command. The reply comes back in a buffer of `replyLength` characters: the
// device's reply cut to replyLength - 1 characters, then NUL characters to the end. With
// `replyLength` 0 the reply is dropped and the result is empty.
std::string SendMusicCommand(platform::CommandDevice& device, const std::string& command,
                             std::size_t replyLength);

// Silences all music: closes every device the game has open.
void StopAllSound(platform::CommandDevice& device);

}  // namespace velmora
