#include "notation.h"

#include <QStringList>
#include <stdexcept>

namespace assetgen::music {

int keyOf(const QString& name) {
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2) {
        throw std::invalid_argument("bad note " + name.toStdString());
    }
    const QChar letter = name[0].toUpper();
    if (letter < QLatin1Char('A') || letter > QLatin1Char('G')) {
        throw std::invalid_argument("bad note " + name.toStdString());
    }
    int key = steps[letter.unicode() - 'A'];
    int i = 1;
    while (i < name.size() && (name[i] == QLatin1Char('#') || name[i] == QLatin1Char('b'))) {
        key += name[i] == QLatin1Char('#') ? 1 : -1;
        ++i;
    }
    bool ok = false;
    const int octave = name.mid(i).toInt(&ok);
    if (!ok) {
        throw std::invalid_argument("bad octave in " + name.toStdString());
    }
    return 12 * (octave + 1) + key;
}

namespace {

std::uint32_t parseLength(const QString& code) {
    if (code.isEmpty()) {
        throw std::invalid_argument("missing length");
    }
    std::uint32_t base = 0;
    switch (code[0].unicode()) {
        case 'w':
            base = 4 * kQuarter;
            break;
        case 'h':
            base = 2 * kQuarter;
            break;
        case 'q':
            base = kQuarter;
            break;
        case 'e':
            base = kQuarter / 2;
            break;
        case 's':
            base = kQuarter / 4;
            break;
        default:
            throw std::invalid_argument("bad length " + code.toStdString());
    }
    return code.size() > 1 && code[1] == QLatin1Char('.') ? base + base / 2 : base;
}

}  // namespace

std::vector<Note> phrase(const QString& text) {
    std::vector<Note> notes;
    std::uint32_t at = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (word == QLatin1String("|")) {
            continue;  // bar lines are only there for the reader
        }
        const QStringList parts = word.split(QLatin1Char(':'));
        if (parts.size() != 2) {
            throw std::invalid_argument("bad note " + word.toStdString());
        }
        const std::uint32_t len = parseLength(parts[1]);
        const int key = parts[0] == QLatin1String("r") ? -1 : keyOf(parts[0]);
        notes.push_back({at, len, key});
        at += len;
    }
    return notes;
}

std::uint32_t lengthOf(const std::vector<Note>& notes) {
    return notes.empty() ? 0 : notes.back().start + notes.back().length;
}

Chord chordOf(const QString& symbol) {
    const QStringList parts = symbol.split(QLatin1Char('/'));
    QString name = parts[0];
    const bool seventh = name.endsWith(QLatin1Char('7'));
    if (seventh) {
        name.chop(1);
    }
    const bool minor = name.endsWith(QLatin1Char('m'));
    if (minor) {
        name.chop(1);
    }
    Chord c;
    c.root = keyOf(name + QStringLiteral("4")) % 12;
    c.tones = {c.root, (c.root + (minor ? 3 : 4)) % 12, (c.root + 7) % 12};
    if (seventh) {
        c.tones.push_back((c.root + 10) % 12);
    }
    c.bass = parts.size() > 1 ? keyOf(parts[1] + QStringLiteral("4")) % 12 : c.root;
    return c;
}

}  // namespace assetgen::music
