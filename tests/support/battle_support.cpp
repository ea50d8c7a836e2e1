#include "support/battle_support.h"

#include <cctype>
#include <cstdlib>
#include <string>

#include "map/frm_map_controls.h"
#include "support/test_images.h"

namespace testing_support {

const CursorPicture kBlue1{"ArrowBlue1", 30, 32, qRgb(20, 40, 250)};
const CursorPicture kBlue2{"ArrowBlue2", 20, 24, qRgb(30, 60, 240)};
const CursorPicture kRed1{"ArrowRed1", 30, 32, qRgb(250, 40, 40)};
const CursorPicture kRed2{"ArrowRed2", 24, 20, qRgb(240, 60, 70)};

namespace {

// Every pixel's colour tells its place along a row of 256.
QRgb battlefieldPixel(int x, int y) {
    const int i = (x + 3 * y) & 0xFF;
    return qRgb(i, 255 - i, (i * 37 + 11) & 0xFF);
}

}  // namespace

void openBattle(Harness& h, int pictureWidth, int pictureHeight) {
    QVector<QRgb> palette;
    for (int i = 0; i < 256; ++i) {
        palette.push_back(battlefieldPixel(i, 0));
    }
    writeGif(h.assetFolder() + QStringLiteral("/Background/Battle/plains.gif"),
             indexedImage(pictureWidth, pictureHeight, palette,
                          [](int x, int y) { return (x + 3 * y) & 0xFF; }));
    for (const CursorPicture* c : {&kBlue1, &kBlue2, &kRed1, &kRed2}) {
        writeGif(h.assetFolder() + QStringLiteral("/Pictures/%1.gif").arg(QLatin1String(c->file)),
                 indexedImage(c->width, c->height, {c->colour, 0}, [](int, int) { return 0; }), 1);
    }
    h.start();
    h.click(h.map().ui().cmdBattle);
}

void playScript(const char* script, const std::function<void(int)>& press,
                const std::function<void(int)>& wait) {
    const std::string names = "LRUDSCE";
    const int keys[] = {Qt::Key_Left,  Qt::Key_Right,   Qt::Key_Up,    Qt::Key_Down,
                        Qt::Key_Space, Qt::Key_Control, Qt::Key_Escape};
    for (const char* k = script; *k != 0; ++k) {
        if (std::isdigit(static_cast<unsigned char>(*k)) != 0) {
            char* end = nullptr;
            wait(static_cast<int>(std::strtol(k, &end, 10)));
            k = end - 1;
        } else if (*k != ' ') {
            press(keys[names.find(*k)]);
        }
    }
}

QImage pixelsOf(const platform::PictureBox& box) {
    return box.surface().image().convertToFormat(QImage::Format_RGB32);
}

::testing::AssertionResult samePixels(const QImage& actual, const QImage& expected) {
    const bool sameSize = actual.size() == expected.size();
    for (int y = sameSize && actual != expected ? 0 : actual.height(); y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != expected.pixel(x, y)) {
                return ::testing::AssertionFailure()
                       << "(" << x << ", " << y << ") is " << std::hex << actual.pixel(x, y)
                       << ", not " << expected.pixel(x, y);
            }
        }
    }
    return sameSize ? ::testing::AssertionSuccess()
                    : ::testing::AssertionFailure()
                          << "the size is " << actual.width() << "x" << actual.height();
}

Battle::Battle(int width, int height, float twipsPerPixel, int scale)
    : h(width, height, twipsPerPixel),
      scale(scale),
      b(h.battle()),
      // The controls are there once the battle is open.
      c((openBattle(h, width / scale, height / scale), h.battle().ui())) {}

void Battle::keys(const char* script) {
    playScript(
        script, [this](int key) { h.press(b, key); }, [this](int ms) { h.advance(ms); });
}

QImage Battle::field(const std::vector<ExpectedFigure>& figures) const {
    QImage image(b.window()->size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, battlefieldPixel(x / scale, y / scale));
        }
    }
    for (const ExpectedFigure& f : figures) {
        const QRgb colour = figureColour(f.sprite, f.cellX, f.cellY);
        for (int dy = 0; dy < 64; ++dy) {
            for (int dx = 0; dx < 64; ++dx) {
                const QPoint p(f.x + dx, f.y + dy);
                if (!image.rect().contains(p) || !isFigurePixel(dx / 2, dy / 2)) {
                    continue;  // black in the sprite: unchanged by every way of drawing
                }
                const QRgb under = image.pixel(p);
                image.setPixel(p, f.how == ExpectedFigure::Keyed ? colour
                                  : f.how == ExpectedFigure::Xor ? under ^ (colour & 0xFFFFFF)
                                                                 : under | colour);
            }
        }
    }
    return image;
}

std::vector<ExpectedFigure> Battle::figures(int leaveOut, int flash) const {
    const velmora::CharTables& t = h.game().modChar;
    std::vector<ExpectedFigure> out;
    auto foe = [&](int i, int how) {
        out.push_back({t.FoeSprite[i].value(), b.FoeSrcX[i].value(), b.FoeSrcY[i].value(),
                       b.FoeX[i].value(), b.FoeY[i].value(), how});
    };
    for (int i = 1; i <= 6; ++i) {
        out.push_back({t.PartySprite[i].value(), b.PartySrcX[i].value(), b.PartySrcY[i].value(),
                       b.PartyX[i].value(), b.PartyY[i].value()});
        if (i != leaveOut && t.FoeHP[i].value() > 0) {
            foe(i, ExpectedFigure::Keyed);
        }
    }
    if (flash != ExpectedFigure::Keyed) {
        foe(leaveOut, flash);
    }
    return out;
}

::testing::AssertionResult Battle::shows(const std::vector<ExpectedFigure>& figures,
                                         bool rounded) const {
    auto px = [tpp = b.window()->display().twipsPerPixelX](float twips, bool round) {
        return round ? velmora::roundedQuotient32(twips, tpp).value()
                     : velmora::wholeQuotient(twips, tpp).value();
    };
    const QImage ground = field();
    for (const platform::PictureBox* p : {&c.picBar, &c.picSelect, &c.picTarget, &c.picMagic}) {
        const bool bar = p == &c.picBar;
        const QRect from = QRect(bar ? 0 : px(p->left(), rounded), bar ? 0 : px(p->top(), rounded),
                                 px(p->width(), true), px(p->height(), true)) &
                           ground.rect();
        auto panel =
            samePixels(pixelsOf(*p).copy(0, 0, from.width(), from.height()), ground.copy(from));
        if (!panel) {
            return panel << " in the panel at (" << from.x() << ", " << from.y() << ")";
        }
    }
    return samePixels(pixelsOf(c.picMap), field(figures)) << " on the battlefield";
}

std::vector<int> Battle::highlighted(bool targets) const {
    std::vector<int> out;
    for (int i = 1; i <= (targets ? 6 : 5); ++i) {
        if ((targets ? c.lblTarget[i] : c.lblChoice[i]).isOpaque()) {
            out.push_back(i);
        }
    }
    return out;
}

}  // namespace testing_support
