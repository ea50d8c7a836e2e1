#pragma once

#include <QString>

namespace assetgen {

// Where the generated files go: game files under `assets`, preview pictures under `docs`.
struct Output {
    QString assets;
    QString docs;
};

// Each writer creates its files and throws std::runtime_error when one cannot be written.
void writeCharacters(const Output& out);
void writeWorld(const Output& out);
void writeLandscapes(const Output& out);
void writeBattlefield(const Output& out);
void writeTitle(const Output& out);
void writeIcon(const Output& out);
void writeArrows(const Output& out);
void writeTheme(const Output& out);

}  // namespace assetgen
