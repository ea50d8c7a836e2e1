// velmora-assetgen <assets-dir> <docs-dir>: draws and composes every picture and tune the game
// reads, and the preview pictures of them.
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <exception>
#include <functional>
#include <utility>
#include <vector>

#include "generators.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: velmora-assetgen <assets-dir> <docs-dir>\n");
        return 2;
    }
    const assetgen::Output out{QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])};
    const std::vector<std::pair<const char*, std::function<void(const assetgen::Output&)>>> steps =
        {
            {"characters", assetgen::writeCharacters}, {"world", assetgen::writeWorld},
            {"landscapes", assetgen::writeLandscapes}, {"battlefield", assetgen::writeBattlefield},
            {"title", assetgen::writeTitle},           {"icon", assetgen::writeIcon},
            {"arrows", assetgen::writeArrows},         {"music", assetgen::writeTheme},
        };
    try {
        for (const auto& [name, step] : steps) {
            std::printf("%s\n", name);
            step(out);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "velmora-assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
