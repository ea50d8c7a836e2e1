#pragma once

#include <QByteArray>

namespace platform {

// Whether the bytes of a picture file of the given format ("bmp", "gif", "jpeg") hold the
// whole picture rather than a file cut short. Other formats are taken as complete.
bool isComplete(const QByteArray& data, const QByteArray& format);

}  // namespace platform
