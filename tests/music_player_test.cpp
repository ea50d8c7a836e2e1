// The MIDI player on the software synthesizer, with no sound device: the tests render its
// samples into memory, which is what drives the tune's clock.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/midi_file.h"
#include "platform/midi_player.h"

using platform::MidiPlayer;

namespace {

constexpr int kRate = MidiPlayer::kSampleRate;
constexpr int kBlock = 64;

QByteArray be(std::uint32_t value, int bytes) {
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}

// A one-track file at 120 beats a minute, 480 ticks a beat (a tick is 1/960 s): one piano
// note from 0 to `noteOff`, and the end of the track at `end`.
QByteArray shortTune(int noteOff, int end) {
    auto quantity = [](std::uint32_t v) {
        QByteArray out(1, static_cast<char>(v & 0x7F));
        while ((v >>= 7) != 0) {
            out.prepend(static_cast<char>(0x80 | (v & 0x7F)));
        }
        return out;
    };
    QByteArray track;
    track += quantity(0) + QByteArray("\xFF\x51\x03\x07\xA1\x20", 6);  // 500000 µs a beat
    track += quantity(0) + QByteArray("\xC0\x00", 2);
    track += quantity(0) + QByteArray("\x90\x3C\x64", 3);
    track += quantity(noteOff) + QByteArray("\x3C\x00", 2);  // running status: velocity 0
    track += quantity(end - noteOff) + QByteArray("\xFF\x2F\x00", 3);
    return "MThd" + be(6, 4) + be(0, 2) + be(1, 2) + be(480, 2) + "MTrk" +
           be(static_cast<std::uint32_t>(track.size()), 4) + track;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A player with no sound device, and its soundfont folder empty.
struct Quiet {
    QTemporaryDir folder;
    MidiPlayer player{MidiPlayer::Options{{}, folder.path(), MidiPlayer::kGain}};

    std::string open(const QString& path) {
        return player.send("open " + path.toStdString() + " type sequencer alias backplay");
    }
    std::string status() { return player.send("status backplay mode"); }
    // Renders `frames` and gives the loudest sample.
    float render(int frames) {
        std::vector<float> samples(static_cast<std::size_t>(2 * frames));
        player.render(samples.data(), frames);
        float peak = 0;
        for (float s : samples) {
            peak = std::max(peak, std::fabs(s));
        }
        return peak;
    }
};

}  // namespace

TEST(MusicPlayer, PlaysUntilTheLastEventAndIsNotPlayingRightAfterIt) {
    Quiet q;
    const QString path = q.folder.filePath(QStringLiteral("tune.mid"));
    writeFile(path, shortTune(480, 960));  // the note for 0.5 s, the end at 1 s
    EXPECT_EQ(q.open(path), "");
    EXPECT_EQ(q.status(), "stopped") << "opened, not yet started";
    EXPECT_EQ(q.player.send("play backplay"), "");
    EXPECT_EQ(q.status(), "playing");
    EXPECT_GT(q.render(kRate / 4), 0.05f) << "the note sounds";
    int frames = kRate / 4;
    while (q.status() == "playing" && frames < 3 * kRate) {
        q.render(kBlock);
        frames += kBlock;
    }
    // The end of the track is at 1 s: the tune counts as ended then, not after a grace.
    EXPECT_GE(frames, kRate);
    EXPECT_LE(frames, kRate + 4 * kBlock);
    EXPECT_EQ(q.status(), "stopped");
    EXPECT_EQ(q.player.synthsCreated(), 1);
    EXPECT_EQ(q.player.audioDriver(), "");
}

TEST(MusicPlayer, ARestartReusesTheSynthesizerAndCloseAllSilencesAtOnce) {
    Quiet q;
    const QString path = q.folder.filePath(QStringLiteral("tune.mid"));
    writeFile(path, shortTune(4800, 4800));  // one 5-second note
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(q.open(path), "");
        q.player.send("play backplay");
        EXPECT_GT(q.render(kRate / 10), 0.05f) << round;
        EXPECT_EQ(q.status(), "playing");
        q.player.send("close all");
        EXPECT_EQ(q.status(), "") << "closed: no such tune";
        EXPECT_EQ(q.render(kBlock), 0.0f) << "silent from the very next sample";
        EXPECT_EQ(q.render(kRate / 2), 0.0f);
    }
    EXPECT_EQ(q.player.synthsCreated(), 1);
    // Closing by its own name does the same.
    q.open(path);
    q.player.send("play backplay");
    q.render(kRate / 10);
    q.player.send("close backplay");
    EXPECT_EQ(q.status(), "");
    EXPECT_EQ(q.render(kBlock), 0.0f);
}

TEST(MusicPlayer, OpensAPathWithBlanksUpToTheWordType) {
    Quiet q;
    const QString folder = q.folder.filePath(QStringLiteral("my game files"));
    writeFile(folder + QStringLiteral("/Music/Theme.mid"), shortTune(480, 960));
    // As the title names it: the folder, then the file with backslashes.
    EXPECT_EQ(q.player.send("open " + folder.toStdString() +
                            "\\Music\\Theme.mid type sequencer alias backplay"),
              "");
    EXPECT_EQ(q.status(), "stopped");
    q.player.send("play backplay");
    EXPECT_EQ(q.status(), "playing");
    EXPECT_GT(q.render(kRate / 4), 0.05f);
}

TEST(MusicPlayer, AMissingOrBrokenFileIsNotOpenedAndNeedsNoSynthesizer) {
    Quiet q;
    const QString broken = q.folder.filePath(QStringLiteral("broken.mid"));
    writeFile(broken, QByteArray("MThd"));
    const QString truncated = q.folder.filePath(QStringLiteral("truncated.mid"));
    writeFile(truncated, shortTune(480, 960).left(30));
    for (const QString& path : {q.folder.filePath(QStringLiteral("none.mid")), broken, truncated}) {
        for (int tick = 0; tick < 3; ++tick) {
            EXPECT_EQ(q.player.send("close all"), "");
            EXPECT_EQ(q.open(path), "");
            EXPECT_EQ(q.player.send("play backplay"), "");
            EXPECT_EQ(q.status(), "") << path.toStdString();
        }
    }
    EXPECT_EQ(q.player.synthsCreated(), 0);
    EXPECT_EQ(q.render(kBlock), 0.0f);
    // Commands it does not know, or for another name, answer nothing.
    const QString path = q.folder.filePath(QStringLiteral("tune.mid"));
    writeFile(path, shortTune(480, 960));
    q.open(path);
    EXPECT_EQ(q.player.send("status other mode"), "");
    EXPECT_EQ(q.player.send("status backplay position"), "");
    EXPECT_EQ(q.player.send("seek backplay to start"), "");
    EXPECT_EQ(q.player.send(""), "");
    EXPECT_EQ(q.status(), "stopped");
}

TEST(MusicPlayer, ReadsTheLastTickOfEveryTrack) {
    EXPECT_EQ(platform::MidiFile::lastEventTick(shortTune(480, 960)), 960);
    EXPECT_EQ(platform::MidiFile::lastEventTick(shortTune(100, 100)), 100);
    // A second, longer track decides; a chunk of another kind is passed over.
    QByteArray two = shortTune(480, 960);
    two[11] = 2;                                         // two tracks
    two[9] = 1;                                          // format 1
    const QByteArray second("\x83\x60\xFF\x2F\x00", 5);  // its end at tick 480
    two += "XTRA" + be(2, 4) + "ab" + "MTrk" + be(5, 4) + second;
    EXPECT_EQ(platform::MidiFile::lastEventTick(two), 960);
    QByteArray longer = shortTune(480, 960);
    longer[11] = 2;
    longer += "MTrk" + be(6, 4) + QByteArray("\x81\x80\x00\xFF\x2F\x00", 6);  // at 16384
    EXPECT_EQ(platform::MidiFile::lastEventTick(longer), 16384);
    EXPECT_FALSE(platform::MidiFile::lastEventTick(QByteArray("MThd")));
    EXPECT_FALSE(platform::MidiFile::lastEventTick(shortTune(480, 960).left(40)));
    QByteArray missingTrack = shortTune(480, 960);
    missingTrack[11] = 2;
    EXPECT_FALSE(platform::MidiFile::lastEventTick(missingTrack));
}

TEST(MusicPlayer, TheGamesOwnSoundfontComesFirstThenTheSystemOne) {
    if (!QFileInfo::exists(QString::fromLatin1(MidiPlayer::kSystemSoundFont))) {
        GTEST_SKIP() << "no General MIDI soundfont installed";
    }
    QTemporaryDir folder;
    const QString tune = folder.filePath(QStringLiteral("tune.mid"));
    writeFile(tune, shortTune(480, 960));
    auto soundFontUsed = [&](const QString& own) {
        MidiPlayer player(MidiPlayer::Options{{}, own, MidiPlayer::kGain});
        EXPECT_EQ(player.soundFont(), QString()) << "nothing loaded before the first open";
        player.send("open " + tune.toStdString() + " type sequencer alias backplay");
        return player.soundFont();
    };
    // A broken one of the game's own is passed over.
    const QString music = folder.filePath(QStringLiteral("Music"));
    writeFile(music + QStringLiteral("/broken.sf2"), QByteArray("RIFF"));
    const QString afterOwn = soundFontUsed(music);
    EXPECT_TRUE(afterOwn == QLatin1String(MidiPlayer::kSystemSoundFont) ||
                afterOwn.startsWith(QLatin1String("/usr/share/sounds/sf3/")))
        << afterOwn.toStdString();
    ASSERT_TRUE(QFile::link(QString::fromLatin1(MidiPlayer::kSystemSoundFont),
                            music + QStringLiteral("/game.sf2")));
    EXPECT_EQ(soundFontUsed(music), music + QStringLiteral("/game.sf2"));
}

TEST(MusicPlayer, WithNoAudioDriverItStaysSilentAndSaysSoInOneLine) {
    QTemporaryDir folder;
    const QString tune = folder.filePath(QStringLiteral("tune.mid"));
    writeFile(tune, shortTune(480, 960));
    testing::internal::CaptureStderr();
    {
        MidiPlayer player(MidiPlayer::Options{
            {"no-such-driver", "nor-this-one"}, folder.path(), MidiPlayer::kGain});
        for (int restart = 0; restart < 3; ++restart) {
            player.send("close all");
            player.send("open " + tune.toStdString() + " type sequencer alias backplay");
            player.send("play backplay");
            EXPECT_EQ(player.send("status backplay mode"), "playing");
        }
        EXPECT_EQ(player.audioDriver(), "");
        EXPECT_EQ(player.synthsCreated(), 1);
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("silent"), std::string::npos) << said;
}

TEST(MusicPlayer, TheThemePeaksBetweenMinusSixAndMinusOneDecibelsWithoutClipping) {
    const QString theme = QStringLiteral(VELMORA_THEME_FILE);
    const auto midi = platform::MidiFile::read(theme);
    ASSERT_TRUE(midi);
    Quiet q;
    q.open(theme);
    q.player.send("play backplay");
    if (q.player.soundFont().isEmpty()) {
        GTEST_SKIP() << "no soundfont installed";
    }
    float peak = 0;
    double sumOfSquares = 0;
    long long samples = 0;
    std::vector<float> block(2 * 4096);
    int blocks = 0;
    while (q.status() == "playing" && blocks < 300 * kRate / 4096) {
        q.player.render(block.data(), 4096);
        for (float s : block) {
            peak = std::max(peak, std::fabs(s));
            sumOfSquares += static_cast<double>(s) * s;
        }
        samples += static_cast<long long>(block.size());
        ++blocks;
    }
    ASSERT_EQ(q.status(), "stopped") << "the theme ends";
    const double peakDb = 20 * std::log10(peak);
    const double averageDb = 10 * std::log10(sumOfSquares / static_cast<double>(samples));
    EXPECT_GE(peakDb, -6.0);
    EXPECT_LE(peakDb, -1.0);
    EXPECT_LT(peak, 1.0f) << "no sample clips";
    EXPECT_GT(averageDb, -24.0) << "about 12 dB louder than the synthesizer's own gain";
    std::printf("theme: peak %.2f dBFS, average %.2f dBFS over %.1f s\n", peakDb, averageDb,
                static_cast<double>(samples) / 2 / kRate);
}
