// The overworld: an 8-bit RLE8 bitmap large enough for a 3840 x 2160 display.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "asset_paths.h"

namespace {

std::uint32_t le(const QByteArray& b, int at, int n) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    }
    return v;
}

// Decodes an RLE8 bitmap by the rules of the BMP format, independently of Qt's reader.
std::vector<std::uint8_t> decodeRle8(const QByteArray& data, int width, int height) {
    std::vector<std::uint8_t> out(static_cast<size_t>(width) * height, 0);
    int x = 0, y = height - 1;
    qsizetype i = 0;
    auto next = [&]() -> int {
        if (i >= data.size()) {
            throw std::runtime_error("RLE8 data ends early");
        }
        return static_cast<unsigned char>(data[i++]);
    };
    auto put = [&](int value) {
        if (x >= width || y < 0) {
            throw std::runtime_error("RLE8 run crosses the picture edge");
        }
        out[static_cast<size_t>(y) * width + x++] = static_cast<std::uint8_t>(value);
    };
    while (true) {
        const int count = next();
        const int value = next();
        if (count > 0) {
            for (int k = 0; k < count; ++k) {
                put(value);
            }
        } else if (value == 0) {
            if (x != width) {
                throw std::runtime_error("row ended before the picture's width");
            }
            x = 0;
            --y;
        } else if (value == 1) {
            if (x != width || y != 0) {
                throw std::runtime_error("bitmap ended before the last pixel");
            }
            return out;
        } else if (value == 2) {
            throw std::runtime_error("delta escapes are not expected");
        } else {
            for (int k = 0; k < value; ++k) {
                put(next());
            }
            if (value % 2 != 0) {
                next();
            }
        }
    }
}

class WorldPicture : public testing::Test {
  protected:
    void SetUp() override {
        QFile file(assetPath(QStringLiteral("Background/World/ts0.bmp")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        bytes = file.readAll();
        ASSERT_GT(bytes.size(), 54);
    }
    QByteArray bytes;
};

TEST_F(WorldPicture, EightBitRle8AtLeast3840By2176) {
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(le(bytes, 2, 4), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(le(bytes, 14, 4), 40u);
    EXPECT_GE(static_cast<int>(le(bytes, 18, 4)), 3840);
    EXPECT_GE(static_cast<int>(le(bytes, 22, 4)), 2176);
    EXPECT_EQ(le(bytes, 28, 2), 8u);
    EXPECT_EQ(le(bytes, 30, 4), 1u) << "compression must be RLE8";
    EXPECT_LT(bytes.size(), 4 * 1024 * 1024) << "the world should stay small on disk";
}

TEST_F(WorldPicture, Rle8StreamDecodesToWhatQtReads) {
    const int width = static_cast<int>(le(bytes, 18, 4));
    const int height = static_cast<int>(le(bytes, 22, 4));
    const std::uint32_t offset = le(bytes, 10, 4);
    const std::uint32_t colours = le(bytes, 46, 4);
    ASSERT_LE(colours, 256u);
    const std::vector<std::uint8_t> indices = decodeRle8(bytes.mid(offset), width, height);
    const QImage qt = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(qt.size(), QSize(width, height));
    for (int y = 0; y < height; y += 7) {
        for (int x = 0; x < width; x += 3) {
            const std::uint8_t i = indices[static_cast<size_t>(y) * width + x];
            ASSERT_LT(i, colours);
            const int entry = 54 + 4 * i;
            const QRgb expected = qRgb(static_cast<unsigned char>(bytes[entry + 2]),
                                       static_cast<unsigned char>(bytes[entry + 1]),
                                       static_cast<unsigned char>(bytes[entry]));
            ASSERT_EQ(qt.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(WorldPicture, StartAreaIsOpenGround) {
    const QImage img = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    int open = 0, total = 0;
    for (int y = 0; y < 14 * 32; ++y) {
        for (int x = 0; x < 8 * 32; ++x) {
            const QRgb c = img.pixel(x, y);
            const bool grass = qGreen(c) > qRed(c) && qGreen(c) > qBlue(c) + 30 && qGreen(c) > 110;
            const bool dirt = qRed(c) > qGreen(c) && qGreen(c) > qBlue(c) && qRed(c) > 150;
            open += grass || dirt ? 1 : 0;
            ++total;
        }
    }
    EXPECT_GT(open, total * 97 / 100);
}

TEST_F(WorldPicture, HasWaterForestAndMountainsAcrossTheMap) {
    const QImage img = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
    int water = 0, darkGreen = 0, rock = 0, samples = 0;
    for (int y = 0; y < img.height(); y += 8) {
        for (int x = 0; x < img.width(); x += 8) {
            const QRgb c = img.pixel(x, y);
            water += qBlue(c) > qRed(c) + 60 && qBlue(c) > qGreen(c) ? 1 : 0;
            darkGreen += qGreen(c) > qRed(c) + 30 && qGreen(c) < 140 && qBlue(c) < 110 ? 1 : 0;
            rock += std::abs(qRed(c) - qGreen(c)) < 24 && qRed(c) > qBlue(c) && qRed(c) < 190 &&
                            qRed(c) > 90
                        ? 1
                        : 0;
            ++samples;
        }
    }
    EXPECT_GT(water, samples / 20);
    EXPECT_GT(darkGreen, samples / 20);
    EXPECT_GT(rock, samples / 50);
}

}  // namespace
