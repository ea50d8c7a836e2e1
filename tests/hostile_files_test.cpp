// Every picture the game reads, replaced by a hostile file: empty, cut short, garbled, of a
// format the game does not read, or with a header that claims a picture of 60000 × 60000. Each
// ends the game with the run-time picture error naming the file, and none of them takes more
// than a few hundred megabytes on the way.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <string>
#include <vector>

#include "menu/frm_menu_controls.h"
#include "platform/midi_player.h"
#include "platform/picture.h"
#include "platform/picture_format.h"
#include "platform/runtime_error.h"
#include "support/battle_support.h"
#include "support/harness.h"
#include "support/test_images.h"

using platform::RuntimeError;
using testing_support::Harness;
using testing_support::openBattle;
using testing_support::pressInBattle;
using testing_support::put16;
using testing_support::put32;

namespace {

constexpr quint16 kHuge = 60000;

// A BMP with a 40-byte header and whatever the fields claim, followed by `pixels` bytes.
QByteArray bmp(qint32 width, qint32 height, quint16 bits, quint32 compression, int pixels,
               quint32 colours = 0) {
    const quint32 palette = bits <= 8 ? 4u << bits : 0;
    const quint32 offset = 14 + 40 + palette;
    QByteArray out;
    out.append("BM");
    put32(out, offset + static_cast<quint32>(pixels));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<quint32>(width));
    put32(out, static_cast<quint32>(height));
    put16(out, 1);
    put16(out, bits);
    put32(out, compression);
    put32(out, static_cast<quint32>(pixels));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, colours);
    put32(out, 0);
    out.append(QByteArray(static_cast<int>(palette), '\x40'));
    // Run-length data that ends its one line and the picture at once; zeros otherwise.
    QByteArray data(pixels, '\0');
    if (compression == 1 && pixels >= 4) {
        data[3] = 1;
    }
    return out + data;
}

// The older 12-byte core header, 16-bit sizes.
QByteArray coreBmp(quint16 width, quint16 height) {
    QByteArray out;
    out.append("BM");
    put32(out, 14 + 12 + 6 + 64);
    put32(out, 0);
    put32(out, 14 + 12 + 6);
    put32(out, 12);
    put16(out, width);
    put16(out, height);
    put16(out, 1);
    put16(out, 1);
    out.append(QByteArray(6, '\x7F'));
    return out + QByteArray(64, '\0');
}

// A GIF whose screen and only image claim 60000 × 60000, with a few codes of data.
QByteArray hugeGif() {
    QByteArray out("GIF89a");
    put16(out, kHuge);
    put16(out, kHuge);
    out.append("\x80\x00\x00", 3);  // global colour table of 2 entries
    out.append("\x00\x00\x00\xFF\xFF\xFF", 6);
    out.append(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, kHuge);
    put16(out, kHuge);
    out.append('\0');
    out.append("\x02\x02\x4C\x01\x00", 5);  // minimum code size 2, one block, end
    out.append(';');
    return out;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A small JPEG whose frame header is rewritten to claim 60000 × 60000.
QByteArray hugeJpeg() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(200, 100, 50));
    QByteArray bytes = encoded(image, "JPEG");
    const qsizetype sof = bytes.indexOf("\xFF\xC0");
    if (sof < 0) {
        ADD_FAILURE() << "no frame header in the JPEG";
        return bytes;
    }
    qToBigEndian(kHuge, bytes.data() + sof + 5);
    qToBigEndian(kHuge, bytes.data() + sof + 7);
    return bytes;
}

QByteArray garbage(qsizetype size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator random(12345);
    for (char& c : bytes) {
        c = static_cast<char>(random.bounded(256));
    }
    return bytes;
}

struct Hostile {
    const char* name;
    std::function<QByteArray(const QByteArray& original)> bytes;
};

// What a broken disk, a failed copy, a wrong rename or a malicious file may leave.
const std::vector<Hostile>& hostileFiles() {
    static const std::vector<Hostile> files{
        {"zero bytes", [](const QByteArray&) { return QByteArray(); }},
        {"cut to half", [](const QByteArray& o) { return o.left(o.size() / 2); }},
        {"cut inside the header", [](const QByteArray& o) { return o.left(20); }},
        {"all one byte", [](const QByteArray& o) { return QByteArray(o.size(), '\xFF'); }},
        {"random bytes", [](const QByteArray& o) { return garbage(o.size()); }},
        {"text", [](const QByteArray&) { return QByteArray("This is not a picture.\n"); }},
        {"a PNG",
         [](const QByteArray&) {
             QImage image(64, 128, QImage::Format_RGB32);
             image.fill(Qt::red);
             return encoded(image, "PNG");
         }},
        {"a 60000 x 60000 BMP", [](const QByteArray&) { return bmp(kHuge, kHuge, 24, 0, 64); }},
        {"a 60000 x 60000 run-length BMP",
         [](const QByteArray&) { return bmp(kHuge, kHuge, 8, 1, 64); }},
        {"a 60000 x 60000 BMP with the core header",
         [](const QByteArray&) { return coreBmp(kHuge, kHuge); }},
        {"a 60000 x 60000 GIF", [](const QByteArray&) { return hugeGif(); }},
        {"a 60000 x 60000 JPEG", [](const QByteArray&) { return hugeJpeg(); }},
        {"a BMP of negative width", [](const QByteArray&) { return bmp(-64, 128, 24, 0, 64); }},
        {"a BMP of 0 x 0", [](const QByteArray&) { return bmp(0, 0, 24, 0, 0); }},
        {"a BMP of 7 bits per pixel", [](const QByteArray&) { return bmp(64, 128, 7, 0, 8192); }},
        {"a BMP claiming 2^31 colours",
         [](const QByteArray&) { return bmp(64, 128, 8, 0, 8192, 0x80000000u); }},
        {"a BMP claiming 2^31 x 2^31 pixels",
         [](const QByteArray&) { return bmp(INT32_MAX, INT32_MAX, 32, 0, 64); }},
        {"a BMP of the lowest height",
         [](const QByteArray&) { return bmp(64, INT32_MIN, 24, 0, 64); }},
        {"a BMP whose pixels lie past its end",
         [](const QByteArray&) {
             QByteArray b = bmp(64, 128, 24, 0, 24576);
             qToLittleEndian<quint32>(0x7FFFFFF0u, b.data() + 10);
             return b;
         }},
    };
    return files;
}

void replace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// How the game reaches one of its pictures, starting from a fresh harness.
struct Reader {
    const char* file;
    std::function<void(Harness&)> reach;
};

// Starts the game with `file` replaced by each hostile file in turn, and expects the game to
// end with the picture error naming it, without the process growing by more than 512 MB.
void expectEveryHostileFileEndsTheGame(const Reader& reader) {
    const long before = peakKilobytes();
    for (const Hostile& hostile : hostileFiles()) {
        SCOPED_TRACE(std::string(reader.file) + " as " + hostile.name);
        Harness h;
        const QString path = h.assetFolder() + QLatin1String(reader.file);
        replace(path, hostile.bytes(contents(path)));
        try {
            reader.reach(h);
            ADD_FAILURE() << "the game went on";
            continue;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.kind(), RuntimeError::Kind::InvalidPicture) << e.what();
            EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos)
                << e.what();
        }
        EXPECT_TRUE(h.ended());
        EXPECT_NE(h.exitCode(), 0);
        ASSERT_EQ(h.reporter.messages.size(), 1u);
        EXPECT_NE(h.reporter.messages[0].find(path.toStdString()), std::string::npos);
        EXPECT_LT(peakKilobytes() - before, 512 * 1024) << "kilobytes at the peak";
    }
}

void start(Harness& h) {
    h.start();
}

// The battle and its blue command cursor, which alternates between its two pictures.
void battleCursor(Harness& h) {
    openBattle(h);
    h.advance(100);
}

// The red target cursor, after Space on the first command.
void targetCursor(Harness& h) {
    openBattle(h);
    pressInBattle(h, Qt::Key_Space);
    h.advance(100);
}

void title(Harness& h) {
    h.start();
    h.press(h.map(), Qt::Key_Escape);
    h.click(h.menu().ui().cmdQuit);
}

// A scene lasts 193 ticks of 100 ms on a 1024-pixel display; the next one loads its landscape.
void secondLandscape(Harness& h) {
    title(h);
    h.advance(193 * 100);
}

void thirdLandscape(Harness& h) {
    title(h);
    h.advance(2 * 193 * 100);
}

}  // namespace

TEST(HostileFiles, CharacterPicturesEndTheGameNamingTheFile) {
    expectEveryHostileFileEndsTheGame({"/Characters/Char000.bmp", start});
    expectEveryHostileFileEndsTheGame({"/Characters/Char063.bmp", start});
}

TEST(HostileFiles, TheMapTileSetEndsTheGameNamingTheFile) {
    expectEveryHostileFileEndsTheGame({"/Background/World/ts0.bmp", start});
}

TEST(HostileFiles, TheBattleBackgroundAndCursorsEndTheGameNamingTheFile) {
    expectEveryHostileFileEndsTheGame({"/Background/Battle/plains.gif", openBattle});
    expectEveryHostileFileEndsTheGame({"/Pictures/ArrowBlue1.gif", battleCursor});
    expectEveryHostileFileEndsTheGame({"/Pictures/ArrowBlue2.gif", battleCursor});
    expectEveryHostileFileEndsTheGame({"/Pictures/ArrowRed1.gif", targetCursor});
    expectEveryHostileFileEndsTheGame({"/Pictures/ArrowRed2.gif", targetCursor});
}

TEST(HostileFiles, TheTitleAndItsLandscapesEndTheGameNamingTheFile) {
    expectEveryHostileFileEndsTheGame({"/Pictures/Title.jpg", title});
    expectEveryHostileFileEndsTheGame({"/Background/hills.gif", title});
    expectEveryHostileFileEndsTheGame({"/Background/plains.gif", secondLandscape});
    expectEveryHostileFileEndsTheGame({"/Background/forest.gif", thirdLandscape});
}

TEST(HostileFiles, AFileOfGigabytesIsRefusedWithoutReadingIt) {
    Harness h;
    const QString path = h.assetFolder() + QStringLiteral("/Background/World/ts0.bmp");
    {
        // Sparse: it takes no room on disk, but reading it whole would take 3 GB of memory.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(qint64(3) << 30));
    }
    const long before = peakKilobytes();
    try {
        h.start();
        ADD_FAILURE() << "the game went on";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.kind(), RuntimeError::Kind::InvalidPicture);
        EXPECT_NE(std::string(e.what()).find("ts0.bmp"), std::string::npos) << e.what();
    }
    EXPECT_LT(peakKilobytes() - before, 512 * 1024) << "kilobytes at the peak";
}

TEST(HostileFiles, PicturesOfTheShippedFormatsStillLoadWhateverTheirNames) {
    // The formats are told by their content: a GIF named .bmp is still a picture the game reads.
    QTemporaryDir dir;
    const QImage indexed = testing_support::indexedImage(8, 4, {qRgb(0, 0, 0), qRgb(255, 0, 0)},
                                                         [](int x, int) { return x % 2; });
    testing_support::writeGif(dir.filePath(QStringLiteral("gif.bmp")), indexed);
    const platform::Picture p = platform::Picture::load(dir.filePath(QStringLiteral("gif.bmp")));
    EXPECT_EQ(p.width(), 8);
    EXPECT_EQ(p.surface().pixel(1, 0), 0xFF0000u);
}

TEST(HostileFiles, BmpHeadersShorterThanTheirFieldsAreNeverComplete) {
    // Header sizes between the 12-byte core header and the 40-byte one, in files that end
    // before the 40-byte header's fields would: nothing past the bytes is read.
    for (quint32 headerSize = 13; headerSize < 40; ++headerSize) {
        for (int size = 14 + 4; size < 14 + 40; ++size) {
            QByteArray head("BM");
            put32(head, static_cast<quint32>(size));
            put32(head, 0);
            put32(head, 14);
            put32(head, headerSize);
            head.append(QByteArray(size - head.size(), '\0'));
            // An exact copy, so that nothing lies beyond the last byte.
            const QByteArray exact(head.constData(), head.size());
            EXPECT_FALSE(platform::isComplete(exact, "bmp")) << headerSize << " " << size;
        }
    }
}

namespace {

// The resident size of the process, in kilobytes.
long residentKilobytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kFreedMemoryIsHeld = true;  // the sanitizer's quarantine; it checks leaks itself
#else
constexpr bool kFreedMemoryIsHeld = false;
#endif

// What the title's music watchdog sends every 100 ms while the tune is not playing.
std::string watchdogRound(platform::MidiPlayer& player, const QString& folder) {
    const std::string status = player.send("status backplay mode");
    if (status == "playing") {
        return status;
    }
    player.send("close all");
    player.send("open " + folder.toStdString() +
                "\\Music\\Theme.mid type sequencer alias backplay");
    player.send("play backplay");
    return status;
}

}  // namespace

TEST(HostileFiles, AnEmptyOrCorruptThemeIsRetriedSilentlyWithoutGrowingAndPlaysOnceMended) {
    QTemporaryDir game;
    QTemporaryDir soundFonts;
    const QString theme = game.filePath(QStringLiteral("Music/Theme.mid"));
    ASSERT_TRUE(QDir().mkpath(game.filePath(QStringLiteral("Music"))));
    const QByteArray good = contents(QStringLiteral(VELMORA_THEME_FILE));
    ASSERT_GT(good.size(), 100);
    platform::MidiPlayer player(platform::MidiPlayer::Options{{}, soundFonts.path(), 0.8});

    const std::vector<std::pair<const char*, QByteArray>> themes{
        {"empty", QByteArray()},
        {"cut to half", good.left(good.size() / 2)},
        {"header only", good.left(14)},
        {"random bytes", garbage(good.size())},
        {"a picture", encoded(QImage(8, 8, QImage::Format_RGB32), "BMP")},
        {"tracks claiming 2 GB",
         [&] {
             QByteArray b = good;
             qToBigEndian<quint32>(0x7FFFFFF0u, b.data() + 18);  // the first track's length
             return b;
         }()},
    };
    for (const auto& [name, bytes] : themes) {
        SCOPED_TRACE(name);
        replace(theme, bytes);
        // A minute of retries at 100 ms: warmed up first, then the memory must stay level.
        for (int i = 0; i < 50; ++i) {
            EXPECT_EQ(watchdogRound(player, game.path()), "");
        }
        const long settled = residentKilobytes();
        for (int i = 0; i < 600; ++i) {
            ASSERT_EQ(watchdogRound(player, game.path()), "");
        }
        if (!kFreedMemoryIsHeld) {
            EXPECT_LT(residentKilobytes() - settled, 2048) << "kilobytes grown over 600 retries";
        }
    }
    // Mended on disk, the tune opens at the next retry.
    replace(theme, good);
    watchdogRound(player, game.path());
    EXPECT_EQ(player.send("status backplay mode"), "playing");
}

TEST(HostileFiles, AThemeOfGigabytesIsRefusedWithoutReadingIt) {
    QTemporaryDir game;
    QTemporaryDir soundFonts;
    ASSERT_TRUE(QDir().mkpath(game.filePath(QStringLiteral("Music"))));
    {
        QFile file(game.filePath(QStringLiteral("Music/Theme.mid")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(3) << 30));  // sparse: no room on disk
    }
    platform::MidiPlayer player(platform::MidiPlayer::Options{{}, soundFonts.path(), 0.8});
    const long before = peakKilobytes();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(watchdogRound(player, game.path()), "");
    }
    EXPECT_LT(peakKilobytes() - before, 64 * 1024) << "kilobytes at the peak";
    // A folder where the file should be is no tune either.
    QFile::remove(game.filePath(QStringLiteral("Music/Theme.mid")));
    ASSERT_TRUE(QDir().mkpath(game.filePath(QStringLiteral("Music/Theme.mid"))));
    EXPECT_EQ(watchdogRound(player, game.path()), "");
    EXPECT_EQ(player.send("status backplay mode"), "");
}
