#include "support/battle_support.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "map/frm_map_controls.h"
#include "support/test_images.h"

namespace testing_support {

const CursorPicture kBlue1{"ArrowBlue1", 30, 32, qRgb(20, 40, 250)};
const CursorPicture kBlue2{"ArrowBlue2", 20, 24, qRgb(30, 60, 240)};
const CursorPicture kRed1{"ArrowRed1", 30, 32, qRgb(250, 40, 40)};
const CursorPicture kRed2{"ArrowRed2", 24, 20, qRgb(240, 60, 70)};

namespace {

QVector<QRgb> battlefieldPalette() {
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(qRgb(i, 255 - i, (i * 37 + 11) & 0xFF));
    }
    return palette;
}

int battlefieldIndex(int x, int y) {
    return (x + 3 * y) & 0xFF;
}

}  // namespace

void writeBattlefield(const QString& assetFolder, int width, int height) {
    writeGif(assetFolder + QStringLiteral("/Background/Battle/plains.gif"),
             indexedImage(width, height, battlefieldPalette(), battlefieldIndex));
}

QRgb battlefieldPixel(int x, int y) {
    return battlefieldPalette()[battlefieldIndex(x, y)];
}

void writeCursors(const QString& assetFolder) {
    for (const CursorPicture* c : {&kBlue1, &kBlue2, &kRed1, &kRed2}) {
        const QVector<QRgb> palette{c->colour, qRgb(0, 0, 0)};
        writeGif(assetFolder + QStringLiteral("/Pictures/%1.gif").arg(QLatin1String(c->file)),
                 indexedImage(c->width, c->height, palette, [](int, int) { return 0; }), 1);
    }
}

void openBattle(Harness& h) {
    h.start();
    h.click(h.map().ui().cmdBattle);
}

void pressInBattle(Harness& h, int qtKey, int times) {
    for (int i = 0; i < times; ++i) {
        h.press(h.battle(), qtKey);
    }
}

QImage expectedBattlefield(int width, int height, int scaleX, int scaleY,
                           const std::vector<ExpectedFigure>& figures) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, battlefieldPixel(x / scaleX, y / scaleY));
        }
    }
    for (const ExpectedFigure& f : figures) {
        for (int dy = 0; dy < 64; ++dy) {
            for (int dx = 0; dx < 64; ++dx) {
                const int x = f.x + dx;
                const int y = f.y + dy;
                if (x < 0 || y < 0 || x >= width || y >= height || !isFigurePixel(dx / 2, dy / 2)) {
                    continue;  // black in the sprite: unchanged by every way of drawing
                }
                const QRgb colour = figureColour(f.sprite, f.cellX, f.cellY) & 0xFFFFFF;
                const QRgb under = image.pixel(x, y) & 0xFFFFFF;
                const QRgb drawn = f.how == ExpectedFigure::Keyed ? colour
                                   : f.how == ExpectedFigure::Xor ? (under ^ colour)
                                                                  : (under | colour);
                image.setPixel(x, y, drawn | 0xFF000000u);
            }
        }
    }
    return image;
}

std::vector<ExpectedFigure> repaintFigures(Harness& h, int leaveOut) {
    const velmora::frmBattle& b = h.battle();
    const velmora::CharTables& t = h.game().modChar;
    std::vector<ExpectedFigure> figures;
    for (int i = 1; i <= 6; ++i) {
        figures.push_back({t.PartySprite[i].value(), b.PartySrcX[i].value(), b.PartySrcY[i].value(),
                           b.PartyX[i].value(), b.PartyY[i].value()});
        if (i != leaveOut && t.FoeHP[i].value() > 0) {
            figures.push_back({t.FoeSprite[i].value(), b.FoeSrcX[i].value(), b.FoeSrcY[i].value(),
                               b.FoeX[i].value(), b.FoeY[i].value()});
        }
    }
    return figures;
}

QImage pixelsOf(const platform::PictureBox& box) {
    return box.surface().image().convertToFormat(QImage::Format_RGB32);
}

::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected) {
    if (actual.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << "size " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    }
    int wrong = 0;
    auto failure = ::testing::AssertionFailure();
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y) & 0xFFFFFF;
            const QRgb e = expected.pixel(x, y) & 0xFFFFFF;
            if (a != e && ++wrong <= 4) {
                failure << "(" << x << ", " << y << ") is " << std::hex << a << ", expected " << e
                        << std::dec << "; ";
            }
        }
    }
    if (wrong == 0) {
        return ::testing::AssertionSuccess();
    }
    return failure << wrong << " pixels differ";
}

}  // namespace testing_support
