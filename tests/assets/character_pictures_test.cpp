// The 64 character pictures: four facings of two steps, each a figure on the pure-black key.
#include <gtest/gtest.h>

#include <QFileInfo>
#include <QImageReader>
#include <functional>
#include <vector>

#include "asset_paths.h"

namespace {

constexpr int kFrame = 32;

QImage frame(const QImage& picture, int row, int step) {
    return picture.copy(step * kFrame, row * kFrame, kFrame, kFrame);
}

// Pure-black pixels enclosed by the figure, through which the map would show: those still black
// once every black pixel reached from the frame's edge is filled.
int enclosedBlack(QImage f) {
    const std::function<void(int, int)> fill = [&](int x, int y) {
        if (f.valid(x, y) && pureBlack(f.pixel(x, y))) {
            f.setPixel(x, y, qRgb(1, 1, 1));
            fill(x + 1, y), fill(x - 1, y), fill(x, y + 1), fill(x, y - 1);
        }
    };
    for (int i = 0; i < kFrame; ++i) {
        fill(i, 0), fill(i, kFrame - 1), fill(0, i), fill(kFrame - 1, i);
    }
    int enclosed = 0;
    for (int i = 0; i < kFrame * kFrame; ++i) {
        enclosed += pureBlack(f.pixel(i % kFrame, i / kFrame)) ? 1 : 0;
    }
    return enclosed;
}

int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int i = 0; i < a.width() * a.height(); ++i) {
        n += a.pixel(i % a.width(), i / a.width()) != b.pixel(i % a.width(), i / a.width());
    }
    return n;
}

TEST(CharacterPictures, SixtyFourUnlikePicturesOfWholeFiguresOnTheKeyThatStepAndTurn) {
    QImage key(kFrame, kFrame, QImage::Format_RGB32);
    key.fill(Qt::black);
    std::vector<QImage> pictures;
    for (int i = 0; i < 64; ++i) {
        QImageReader reader(characterPath(i));
        EXPECT_EQ(reader.format(), QByteArray("bmp")) << i;
        const QImage p = reader.read().convertToFormat(QImage::Format_RGB32);
        for (int row = 0; row < 4; ++row) {
            for (int step = 0; step < 2; ++step) {
                const QImage f = frame(p, row, step);
                EXPECT_EQ(enclosedBlack(f), 0) << i << " row " << row << " step " << step;
                EXPECT_GT(differingPixels(f, key), 120) << i << ": the figure's pixels";
                EXPECT_TRUE(pureBlack(f.pixel(0, 0)) && pureBlack(f.pixel(31, 0))) << i;
            }
            EXPECT_GE(differingPixels(frame(p, row, 0), frame(p, row, 1)), 6)
                << "picture " << i << " row " << row << ": the two steps";
        }
        EXPECT_GT(differingPixels(frame(p, 0, 0), frame(p, 2, 0)), 0) << i << ": facings";
        EXPECT_GT(differingPixels(frame(p, 1, 0), frame(p, 3, 0)), 0) << i << ": facings";
        for (size_t other = 0; other < pictures.size(); ++other) {
            EXPECT_GT(differingPixels(p, pictures[other]), 200) << i << " and " << other;
        }
        pictures.push_back(p);
    }
    EXPECT_FALSE(QFileInfo::exists(characterPath(64))) << "the game offers numbers 0 to 63";
}

}  // namespace
