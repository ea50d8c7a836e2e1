// Any bytes as a picture file the game reads: loading either gives a picture or raises the
// run-time picture error naming the file; it never crashes, hangs or takes more memory than the
// decoded picture needs.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/base/runtime_error.h"
#include "platform/pictures/gif_screen.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/picture_format.h"

namespace {

QString path;
qint64 written = 0;

void dropMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The decoders' warnings about broken files would drown the fuzzer's own output.
    qInstallMessageHandler(dropMessages);
    // Memory-backed when the machine has it: every input is written to disk and read back.
    const QDir folder(QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm")
                                                                : QDir::tempPath());
    path = folder.filePath(QStringLiteral("velmora-fuzz-%1/picture.%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QStringLiteral(VELMORA_FUZZ_EXTENSION)));
    QDir().mkpath(QFileInfo(path).path());
    std::atexit([] { QDir(QFileInfo(path).path()).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
            static_cast<qint64>(size)) {
        std::abort();
    }
    // A new modification time for every input, so the picture cache decodes each one.
    file.setFileTime(QDateTime::fromSecsSinceEpoch(1'000'000'000 + ++written),
                     QFileDevice::FileModificationTime);
    file.close();
    try {
        const platform::Picture picture = platform::Picture::load(path);
        if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) {
            std::abort();  // a loaded picture always has pixels
        }
    } catch (const platform::RuntimeError& error) {
        if (error.kind() != platform::RuntimeError::Kind::InvalidPicture ||
            std::strstr(error.what(), "picture.") == nullptr) {
            std::abort();  // the only error a bad file may raise, naming the file
        }
    }
    // The game's own reading of the GIF screens too large for Qt's reader, on any bytes whose
    // screen is within the fuzzing limit: a picture of the screen's size, or none.
    if (std::strcmp(VELMORA_FUZZ_EXTENSION, "gif") == 0) {
        const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data),
                                                         static_cast<qsizetype>(size));
        const QSize screen = platform::gifScreenSize(bytes);
        if (screen.width() <= 4096 && screen.height() <= 4096) {
            const QImage image = platform::readGifScreen(bytes);
            if (!image.isNull() && image.size() != screen) {
                std::abort();
            }
        }
    }
    return 0;
}
