#pragma once

namespace platform {

// The virtual-key codes the screens' key handlers receive for the keys the game acts on.
namespace key {
constexpr int Ctrl = 17;
constexpr int Escape = 27;
constexpr int Space = 32;
constexpr int PageUp = 33;
constexpr int PageDown = 34;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
}  // namespace key

}  // namespace platform
