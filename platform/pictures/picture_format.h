#pragma once

#include <QByteArray>
#include <QSize>

namespace platform {

// Whether the bytes of a picture file of the given format ("bmp", "gif", "jpeg") hold the
// whole picture rather than a file cut short. Other formats are taken as complete.
bool isComplete(const QByteArray& data, const QByteArray& format);

// The size of a GIF's logical screen, the picture its images are drawn into; an invalid size
// when the bytes are too few to tell.
QSize gifScreenSize(const QByteArray& data);

// A BMP whose info header has one of the sizes that carry colour masks without a colour space
// (52 bytes, or 56 with an alpha mask) is returned with the 108-byte header that has the same
// fields, its masks where they were and an sRGB colour space, and its pixel offset and file size
// moved to match. Any other bytes are returned as they are.
QByteArray withFullMaskHeader(const QByteArray& data);

}  // namespace platform
