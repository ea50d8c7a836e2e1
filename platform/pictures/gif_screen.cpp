#include "platform/pictures/gif_screen.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// Where each decoded pixel goes: rows left to right, top to bottom, or in the four passes of
// an interlaced image, whose rows are counted within the screen. Rows are as wide as the image
// says; what lies beyond the screen is dropped. An early pass's row is copied down over the rows
// still to come, so that an image whose data ends early shows its rows stretched, as Qt's reader
// shows it.
class Placer {
  public:
    Placer(QImage& image, int left, int top, int width, int height, bool interlaced,
           bool transparent)
        : bits_(image.bits()),
          stride_(image.bytesPerLine()),
          screenWidth_(image.width()),
          left_(left),
          top_(top),
          right_(left + width - 1),
          bottom_(std::min(top + height, image.height()) - 1),
          pass_(interlaced ? 1 : 0),
          duplicate_(!transparent),
          x_(left),
          y_(top) {}

    bool done() const { return y_ > bottom_; }

    // Writes one pixel and moves on.
    void put(QRgb colour) {
        if (x_ < screenWidth_) {
            row(y_)[x_] = colour;
        }
        if (++x_ > right_) {
            x_ = left_;
            nextRow();
        }
    }

  private:
    QRgb* row(int y) const { return reinterpret_cast<QRgb*>(bits_ + stride_ * y); }

    void nextRow() {
        constexpr std::array<int, 5> kStep{1, 8, 8, 4, 2};
        constexpr std::array<int, 5> kCopies{0, 7, 3, 1, 0};
        constexpr std::array<int, 5> kNextStart{0, 4, 2, 1, 0};
        const int width = std::min(right_, screenWidth_ - 1) - left_ + 1;
        if (duplicate_ && width > 0) {
            const int copies = std::min(kCopies[pass_], bottom_ - y_);
            for (int i = 1; i <= copies; ++i) {
                std::memcpy(row(y_ + i) + left_, row(y_) + left_,
                            static_cast<std::size_t>(width) * sizeof(QRgb));
            }
        }
        y_ += kStep[pass_];
        while (pass_ >= 1 && pass_ <= 3 && y_ > bottom_) {
            y_ = top_ + kNextStart[pass_];
            ++pass_;
        }
    }

    uchar* bits_;
    qsizetype stride_;
    int screenWidth_;
    int left_;
    int top_;
    int right_;
    int bottom_;  // the last row on the screen
    int pass_;    // 0 for rows in order, 1 to 4 for the passes of an interlaced image
    bool duplicate_;
    int x_;
    int y_;
};

}  // namespace

QImage readGifScreen(const QByteArray& data) {
    const qsizetype size = data.size();
    const auto byte = [&data](qsizetype i) { return static_cast<std::uint8_t>(data[i]); };
    const auto le16 = [&data](qsizetype i) {
        return static_cast<int>(qFromLittleEndian<std::uint16_t>(data.constData() + i));
    };
    if (size < 13 || !data.startsWith("GIF")) {
        return {};
    }
    qsizetype pos = 13;
    const auto colourTable = [&](std::uint8_t flags, std::vector<QRgb>& table) {
        if ((flags & 0x80) == 0) {
            return true;
        }
        const qsizetype count = qsizetype{2} << (flags & 7);
        if (pos + count * 3 > size) {
            return false;
        }
        table.clear();
        for (qsizetype i = 0; i < count; ++i, pos += 3) {
            table.push_back(qRgb(byte(pos), byte(pos + 1), byte(pos + 2)));
        }
        return true;
    };
    std::vector<QRgb> global;
    if (!colourTable(byte(10), global)) {
        return {};
    }
    // Extensions up to the first image; a graphic control block may name a transparent colour.
    int transparent = -1;
    for (;;) {
        if (pos + 1 >= size) {
            return {};
        }
        const std::uint8_t introducer = byte(pos++);
        if (introducer == 0x2C) {
            break;
        }
        if (introducer != 0x21) {
            return {};
        }
        const std::uint8_t label = byte(pos++);
        for (bool first = true;; first = false) {
            if (pos >= size) {
                return {};
            }
            const int length = byte(pos++);
            if (length == 0) {
                break;
            }
            if (pos + length > size) {
                return {};
            }
            if (label == 0xF9 && first && length >= 4) {
                transparent = (byte(pos) & 1) != 0 ? byte(pos + 3) : -1;
            }
            pos += length;
        }
    }
    if (pos + 9 >= size) {
        return {};
    }
    const int screenWidth = le16(6);
    const int screenHeight = le16(8);
    const int left = le16(pos);
    const int top = le16(pos + 2);
    const int width = le16(pos + 4);
    const int height = le16(pos + 6);
    const std::uint8_t imageFlags = byte(pos + 8);
    pos += 9;
    std::vector<QRgb> local;
    if (!colourTable(imageFlags, local)) {
        return {};
    }
    const std::vector<QRgb>& table = (imageFlags & 0x80) != 0 ? local : global;
    if (screenWidth <= 0 || screenHeight <= 0 || width <= 0 || height <= 0 || pos >= size) {
        return {};
    }
    QImage image(screenWidth, screenHeight,
                 transparent >= 0 ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    // The image lies where it says and what falls outside the screen is dropped. Where it leaves
    // the screen uncovered, the background colour shows, or the transparent one (its colour with
    // alpha 0), both from the global colour table.
    const auto globalColour = [&global](int index) {
        return index < static_cast<int>(global.size()) ? global[static_cast<std::size_t>(index)]
                                                       : 0u;
    };
    const bool covered = left == 0 && top == 0 && width >= screenWidth && height >= screenHeight;
    image.fill(covered            ? 0u
               : transparent >= 0 ? globalColour(transparent) & 0x00FFFFFFu
                                  : globalColour(byte(11)));
    Placer placer(image, left, top, width, height, (imageFlags & 0x40) != 0, transparent >= 0);
    // The transparent colour keeps its colour with alpha 0, as Qt's reader writes it.
    const auto put = [&](int index) {
        const QRgb colour =
            index < static_cast<int>(table.size()) ? table[index] : qRgba(255, 255, 255, 0);
        placer.put(index == transparent ? colour & 0x00FFFFFFu : colour);
    };

    // The variable-length codes, read from the data sub-blocks.
    const int minimumCodeSize = byte(pos++);
    if (minimumCodeSize < 1 || minimumCodeSize > 11) {
        return {};
    }
    const int clear = 1 << minimumCodeSize;
    const int end = clear + 1;
    constexpr int kCodes = 4096;
    std::vector<std::uint16_t> prefix(kCodes);
    std::vector<std::uint8_t> suffix(kCodes);
    std::vector<std::uint8_t> stack;
    stack.reserve(kCodes + 1);
    int codeSize = minimumCodeSize + 1;
    int next = clear + 2;
    int previous = -1;
    std::uint8_t first = 0;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (;;) {
        if (pos >= size) {
            return {};
        }
        const int length = byte(pos++);
        if (length == 0) {
            return image;  // the image's data is over, however many pixels it held
        }
        if (pos + length > size) {
            return {};
        }
        for (const qsizetype blockEnd = pos + length; pos < blockEnd; ++pos) {
            bits |= std::uint32_t{byte(pos)} << bitCount;
            bitCount += 8;
            while (bitCount >= codeSize) {
                int code = static_cast<int>(bits & ((1u << codeSize) - 1));
                bits >>= codeSize;
                bitCount -= codeSize;
                if (code == clear) {
                    codeSize = minimumCodeSize + 1;
                    next = clear + 2;
                    previous = -1;
                    continue;
                }
                if (code == end || placer.done()) {
                    return image;
                }
                if (previous < 0) {
                    if (code > clear) {
                        return {};  // a first code must stand for a pixel
                    }
                    first = static_cast<std::uint8_t>(code);
                    previous = code;
                    put(first);
                    continue;
                }
                const int incoming = code;
                stack.clear();
                if (code >= next) {
                    stack.push_back(first);
                    code = previous;
                }
                while (code >= clear && stack.size() <= kCodes) {
                    stack.push_back(suffix[code]);
                    code = prefix[code];
                }
                first = static_cast<std::uint8_t>(code);
                stack.push_back(first);
                if (next < kCodes) {
                    prefix[next] = static_cast<std::uint16_t>(previous);
                    suffix[next] = first;
                    if (++next == (1 << codeSize) && codeSize < 12) {
                        ++codeSize;
                    }
                }
                previous = incoming;
                for (auto it = stack.rbegin(); it != stack.rend() && !placer.done(); ++it) {
                    put(*it);
                }
            }
        }
    }
}

}  // namespace platform
