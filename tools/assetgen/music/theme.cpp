// Velmora's theme: forty bars in 4/4 at 100 beats a minute (96 seconds), written to loop.
// Intro, a first strain (A), its answer (A'), a contrasting strain in the relative minor (B), the
// first strain again with the full band, and a four-bar turnaround that leads back to the intro.
#include <QStringList>
#include <algorithm>
#include <stdexcept>

#include "common/save.h"
#include "generators.h"
#include "notation.h"
#include "smf.h"

namespace assetgen {

namespace {

using music::kBar;
using music::kQuarter;

constexpr double kTempo = 100.0;
constexpr int kTranspose = 2;  // written in C, sounding in D
constexpr int kBars = 40;

// One chord symbol per bar, or two separated by a space (two beats each).
const char* const kChords =
    "C | F/C | C | G "                         // intro, bars 1-4
    "| C | G/B | Am | Em | F | C/E | Dm | G "  // A, 5-12
    "| C | G/B | Am | Em | F | G | C | C "     // A', 13-20
    "| Am | Em | F | C | Dm | Am | Bb | G7 "   // B, 21-28
    "| C | G/B | Am | Em | F | C/E | Dm | G "  // A again, 29-36
    "| F | G | Em Am | Dm G7";                 // turnaround, 37-40

const char* const kStrainA =
    "G4:e C5:e E5:h D5:e C5:e | D5:q. B4:e G4:h | A4:e C5:e E5:q A5:q G5:e E5:e | G5:q. E5:e B4:h "
    "| A4:e C5:e F5:q F5:e E5:e F5:e A5:e | G5:q. E5:e C5:h | D5:e E5:e F5:q A5:q G5:e F5:e "
    "| E5:q D5:h r:q";
const char* const kStrainAnswer =
    "G4:e C5:e E5:h D5:e C5:e | D5:q. B4:e G4:h | A4:e C5:e E5:q A5:q G5:e E5:e | G5:q. E5:e B4:h "
    "| A4:e C5:e F5:q F5:e G5:e A5:q | B5:q. A5:e G5:h | C6:h G5:q E5:q | C5:w";
const char* const kStrainB =
    "A5:q. G5:e E5:h | G5:e A5:e B5:q. A5:e G5:q | C6:q. A5:e F5:h | G5:q. E5:e C5:q E5:q "
    "| F5:q. E5:e D5:q A5:q | G5:e F5:e E5:q C5:q E5:q | F5:q. D5:e Bb4:q D5:q | G5:h. F5:e D5:e";
const char* const kTurnaround =
    "A5:h G5:q F5:q | G5:h. D5:q | E5:q G5:q C6:q B5:q | A5:q F5:q D5:q B4:q";

struct Timed {
    std::uint32_t start, length;
    music::Chord chord;
};

std::vector<Timed> chordTimeline() {
    std::vector<Timed> out;
    const QStringList bars = QString::fromLatin1(kChords).split(QLatin1Char('|'));
    if (bars.size() != kBars) {
        throw std::logic_error("the chord chart must have one entry per bar");
    }
    for (int b = 0; b < bars.size(); ++b) {
        const QStringList symbols = bars[b].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const std::uint32_t each = kBar / static_cast<std::uint32_t>(symbols.size());
        for (int i = 0; i < symbols.size(); ++i) {
            out.push_back({b * kBar + i * each, each, music::chordOf(symbols[i])});
        }
    }
    return out;
}

// Nearest key at or above `low` with the given pitch class.
int keyAbove(int pitchClass, int low) {
    int k = low;
    while ((k % 12 + 12) % 12 != pitchClass) {
        ++k;
    }
    return k;
}

int accent(std::uint32_t tick, int velocity) {
    if (tick % kBar == 0) {
        return velocity + 10;
    }
    return tick % kQuarter == 0 ? velocity + 3 : velocity - 4;
}

struct Part {
    midi::Track track;
    int channel;
};

Part part(const char* name, int channel, int program, int volume, int pan, int reverb) {
    Part p{midi::Track{}, channel};
    p.track.name(name);
    p.track.program(0, channel, program);
    p.track.control(0, channel, 7, volume);
    p.track.control(0, channel, 10, pan);
    p.track.control(0, channel, 91, reverb);
    return p;
}

void melody(Part& p, int bar, const char* text, int shift, int velocity) {
    const std::uint32_t at = static_cast<std::uint32_t>(bar) * kBar;
    for (const music::Note& n : music::phrase(QString::fromLatin1(text))) {
        if (n.key >= 0) {
            const std::uint32_t len = n.length > kQuarter / 2 ? n.length - 24 : n.length - 12;
            p.track.note(at + n.start, len, p.channel, n.key + shift + kTranspose,
                         accent(n.start, velocity));
        }
    }
}

void pad(Part& p, const std::vector<Timed>& chords, int fromBar, int toBar, int velocity) {
    for (const Timed& t : chords) {
        if (t.start < fromBar * kBar || t.start >= toBar * kBar) {
            continue;
        }
        for (int pc : t.chord.tones) {
            p.track.note(t.start, t.length - 10, p.channel, keyAbove(pc, 55) + kTranspose,
                         velocity);
        }
    }
}

void arpeggio(Part& p, const std::vector<Timed>& chords, int fromBar, int toBar, int velocity) {
    for (const Timed& t : chords) {
        if (t.start < fromBar * kBar || t.start >= toBar * kBar) {
            continue;
        }
        const int root = keyAbove(t.chord.root, 48);
        const int third = keyAbove(t.chord.tones[1], root);
        const int fifth = keyAbove(t.chord.tones[2], root);
        const int figure[] = {root,       fifth,      root + 12, third + 12,
                              fifth + 12, third + 12, root + 12, fifth};
        for (std::uint32_t i = 0; i < t.length / (kQuarter / 2); ++i) {
            const std::uint32_t at = t.start + i * kQuarter / 2;
            const std::uint32_t ring = std::min(kQuarter - 40, t.start + t.length - at);
            p.track.note(at, ring, p.channel, figure[i % 8] + kTranspose, accent(at, velocity));
        }
    }
}

void bass(Part& p, const std::vector<Timed>& chords, int fromBar, int toBar, bool walking,
          int velocity) {
    for (const Timed& t : chords) {
        if (t.start < fromBar * kBar || t.start >= toBar * kBar) {
            continue;
        }
        const int low = keyAbove(t.chord.bass, 36);
        const int fifth = keyAbove(t.chord.tones[2], low);
        if (!walking || t.length < kBar) {
            p.track.note(t.start, t.length - 30, p.channel, low + kTranspose, velocity);
            continue;
        }
        p.track.note(t.start, kQuarter * 3 / 2 - 30, p.channel, low + kTranspose, velocity + 8);
        p.track.note(t.start + kQuarter * 3 / 2, kQuarter / 2 - 20, p.channel, low + kTranspose,
                     velocity - 8);
        p.track.note(t.start + 2 * kQuarter, kQuarter - 30, p.channel, fifth + kTranspose,
                     velocity);
        p.track.note(t.start + 3 * kQuarter, kQuarter - 30, p.channel, low + 12 + kTranspose,
                     velocity - 6);
    }
}

// Long notes moving by the smallest step to a tone of each chord.
void counterLine(Part& p, const std::vector<Timed>& chords, int fromBar, int toBar, int velocity) {
    int previous = 64;
    for (const Timed& t : chords) {
        if (t.start < fromBar * kBar || t.start >= toBar * kBar) {
            continue;
        }
        int best = previous, bestDistance = 99;
        for (int pc : t.chord.tones) {
            for (int k = keyAbove(pc, 55); k <= 69; k += 12) {
                const int d = std::abs(k - previous) + (k == previous ? 2 : 0);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = k;
                }
            }
        }
        previous = best;
        p.track.note(t.start, t.length - 20, p.channel, best + kTranspose, velocity);
    }
}

void drums(Part& p, int fromBar, int toBar, bool full) {
    for (int b = fromBar; b < toBar; ++b) {
        const std::uint32_t at = static_cast<std::uint32_t>(b) * kBar;
        p.track.note(at, 100, 9, 36, 86);
        p.track.note(at + 2 * kQuarter, 100, 9, 36, 70);
        p.track.note(at + kQuarter, 100, 9, 38, full ? 62 : 44);
        p.track.note(at + 3 * kQuarter, 100, 9, 38, full ? 66 : 48);
        if (full) {
            p.track.note(at + 3 * kQuarter + kQuarter / 2, 80, 9, 38, 40);
        }
        for (int e = 0; e < 8; ++e) {
            p.track.note(at + e * kQuarter / 2, 60, 9, 42, e % 2 ? 30 : 42);
        }
    }
}

}  // namespace

QByteArray themeFile() {
    const std::vector<Timed> chords = chordTimeline();
    const std::uint32_t end = kBars * kBar;

    midi::Track conductor;
    conductor.name("Velmora");
    conductor.tempo(0, kTempo);
    conductor.timeSignature(0, 4, 2);
    conductor.end(end);

    Part flute = part("Flute", 0, 73, 104, 70, 60);
    Part horn = part("Horn", 1, 60, 84, 50, 70);
    Part strings = part("Strings", 2, 48, 78, 64, 80);
    Part harp = part("Harp", 3, 46, 88, 40, 60);
    Part basses = part("Basses", 4, 43, 100, 64, 50);
    Part timpani = part("Timpani", 5, 47, 82, 64, 50);
    Part oboe = part("Oboe", 6, 68, 92, 80, 60);
    Part percussion = part("Percussion", 9, 0, 72, 64, 40);

    // Intro: harp and strings alone, timpani leading into the first strain.
    arpeggio(harp, chords, 0, 40, 62);
    pad(strings, chords, 0, 40, 50);
    bass(basses, chords, 0, 4, false, 70);
    for (int e = 0; e < 8; ++e) {
        timpani.track.note(3 * kBar + e * kQuarter / 2, 200, 5, 43 + kTranspose, 50 + e * 6);
    }
    // A and A': the flute sings, the horn answers in the second strain.
    melody(flute, 4, kStrainA, 0, 92);
    melody(flute, 12, kStrainAnswer, 0, 96);
    counterLine(horn, chords, 12, 20, 66);
    bass(basses, chords, 4, 36, true, 80);
    drums(percussion, 12, 20, false);
    // B: the oboe takes the tune an octave down over the horn and a fuller march.
    melody(oboe, 20, kStrainB, -12, 96);
    counterLine(horn, chords, 20, 28, 72);
    drums(percussion, 20, 28, true);
    for (int b : {20, 24, 28, 32}) {
        percussion.track.note(static_cast<std::uint32_t>(b) * kBar, 400, 9, 49, 80);
        timpani.track.note(static_cast<std::uint32_t>(b) * kBar, 400, 5,
                           36 + kTranspose + (b == 24 ? 7 : 0), 90);
    }
    // A once more with everyone, then the turnaround back to the top.
    melody(flute, 28, kStrainA, 0, 100);
    melody(oboe, 28, kStrainA, -12, 80);
    counterLine(horn, chords, 28, 36, 78);
    drums(percussion, 28, 36, true);
    melody(flute, 36, kTurnaround, 0, 94);
    counterLine(horn, chords, 36, 40, 64);
    bass(basses, chords, 36, 40, false, 82);
    drums(percussion, 36, 39, false);

    std::vector<midi::Track> tracks{conductor};
    for (Part* p : {&flute, &horn, &strings, &harp, &basses, &timpani, &oboe, &percussion}) {
        p->track.end(end);
        tracks.push_back(p->track);
    }
    return midi::file(tracks, static_cast<int>(kQuarter));
}

void writeTheme(const Output& out) {
    saveBytes(out.assets + QStringLiteral("/Music/Theme.mid"), themeFile());
}

}  // namespace assetgen
