#include "buildings.h"

#include <QPolygon>
#include <vector>

#include "world_palette.h"

namespace assetgen {

namespace {

using namespace worldpal;

constexpr QRgb kWall = 0xfff0dcb4;
constexpr QRgb kWallShade = 0xffd0b890;
constexpr QRgb kStoneLight = 0xffdcd6cc;
constexpr QRgb kStone = 0xffbab2a6;
constexpr QRgb kStoneShade = 0xff948c84;
constexpr QRgb kStoneDark = 0xff6e6866;
constexpr QRgb kWindow = 0xff2c3c60;
constexpr QRgb kPane = 0xff8cc4ec;
constexpr QRgb kFlag = 0xffe04848;
constexpr QRgb kFlagDark = 0xffb03030;
constexpr QRgb kGate = 0xff2a2224;
constexpr QRgb kShadow = 0xff3f7a36;

struct RoofColours {
    QRgb light, base, shade, dark;
};
constexpr RoofColours kRoofs[] = {
    {0xffec8a64, 0xffd0583e, 0xffa84030, 0xff7a2a24},
    {0xff7aa8e8, 0xff4a7ac8, 0xff3a5aa0, 0xff2a4078},
    {0xffe8c870, 0xffc8a04c, 0xffa07c3a, 0xff7a5a2c},
};
constexpr RoofColours kSpire = {0xff6a9ae0, 0xff4a78c8, 0xff34589e, 0xff243e74};

void box(QPainter& p, int x, int y, int w, int h, QRgb c) {
    p.fillRect(x, y, w, h, QColor::fromRgb(c));
}

void poly(QPainter& p, const std::vector<QPoint>& pts, QRgb fill, QRgb line) {
    p.setPen(QPen(QColor::fromRgb(line), 1));
    p.setBrush(QColor::fromRgb(fill));
    p.drawPolygon(QPolygon(QList<QPoint>(pts.begin(), pts.end())));
}

void outlinedBox(QPainter& p, int x, int y, int w, int h, QRgb fill) {
    box(p, x, y, w, h, kInk);
    box(p, x + 1, y + 1, w - 2, h - 2, fill);
}

void window(QPainter& p, int x, int y) {
    outlinedBox(p, x, y, 10, 9, kWindow);
    box(p, x + 2, y + 2, 3, 2, kPane);
    box(p, x + 6, y + 2, 2, 2, kPane);
    box(p, x + 1, y + 4, 8, 1, kWoodDark);
}

// A wall face of stone blocks.
void brickFace(QPainter& p, int x, int y, int w, int h) {
    box(p, x, y, w, h, kStone);
    for (int row = 0; row * 8 < h; ++row) {
        box(p, x, y + row * 8, w, 1, kStoneShade);
        const int offset = (row % 2) * 8;
        for (int jx = x + offset; jx < x + w; jx += 16) {
            box(p, jx, y + row * 8, 1, std::min(8, h - row * 8), kStoneShade);
        }
        box(p, x, y + row * 8 + 1, w, 1, kStoneLight);
    }
    box(p, x + w - 3, y, 3, h, kStoneShade);
}

void battlements(QPainter& p, int x, int y, int w) {
    for (int mx = x; mx + 6 <= x + w; mx += 12) {
        outlinedBox(p, mx, y - 6, 7, 7, kStoneLight);
    }
}

void conicalRoof(QPainter& p, int cx, int baseY, int half, int height, const RoofColours& c) {
    poly(p, {{cx - half, baseY}, {cx, baseY - height}, {cx + half, baseY}}, c.base, kInk);
    poly(p, {{cx + 1, baseY - height + 3}, {cx + half - 1, baseY - 1}, {cx + half / 3, baseY - 1}},
         c.shade, c.shade);
    poly(p, {{cx - 2, baseY - height + 6}, {cx - half + 4, baseY - 2}, {cx - half / 2, baseY - 2}},
         c.light, c.light);
    box(p, cx - half, baseY, 2 * half + 1, 2, c.dark);
    box(p, cx, baseY - height - 12, 1, 12, kInk);
    poly(p,
         {{cx + 1, baseY - height - 12},
          {cx + 12, baseY - height - 9},
          {cx + 1, baseY - height - 6}},
         kFlag, kFlagDark);
}

void roundTower(QPainter& p, int cx, int bottom, int half, int height) {
    const int top = bottom - height;
    box(p, cx - half - 1, top, 2 * half + 2, height + 1, kInk);
    brickFace(p, cx - half, top, 2 * half, height);
    box(p, cx - half, top, half / 3, height, kStoneLight);
    box(p, cx + half - half / 2, top, half / 2, height, kStoneShade);
    window(p, cx - 5, top + height / 3);
    conicalRoof(p, cx, top, half + 4, half * 2 + 10, kSpire);
}

}  // namespace

void drawHouse(QPainter& p, QPoint o, int roofStyle) {
    const RoofColours& r = kRoofs[roofStyle % 3];
    const int x = o.x(), y = o.y();
    poly(p,
         {{x + 56, y + 34},
          {x + 64, y + 40},
          {x + 64, y + 62},
          {x + 10, y + 62},
          {x + 8, y + 60},
          {x + 56, y + 60}},
         kShadow, kShadow);
    outlinedBox(p, x + 8, y + 28, 48, 32, kWall);
    box(p, x + 44, y + 29, 11, 30, kWallShade);
    for (int bx : {x + 9, x + 31, x + 53}) {
        box(p, bx, y + 29, 2, 30, kWoodDark);
    }
    box(p, x + 9, y + 50, 46, 2, kWoodDark);
    window(p, x + 14, y + 37);
    window(p, x + 41, y + 37);
    outlinedBox(p, x + 27, y + 43, 11, 17, kWoodDark);
    box(p, x + 29, y + 45, 7, 14, kWood);
    box(p, x + 34, y + 51, 1, 2, kFlowerYellow);
    // The roof, with rows of shingles.
    outlinedBox(p, x + 42, y + 2, 8, 14, kStone);
    box(p, x + 43, y + 3, 6, 2, kStoneDark);
    poly(p, {{x + 2, y + 32}, {x + 62, y + 32}, {x + 54, y + 6}, {x + 10, y + 6}}, r.base, kInk);
    for (int row = 0; row < 5; ++row) {
        const int ry = y + 11 + row * 5;
        const int inset = 9 - (row * 8) / 5;
        box(p, x + inset + 1, ry, 64 - 2 * inset - 2, 1, r.shade);
    }
    poly(p, {{x + 44, y + 7}, {x + 54, y + 7}, {x + 61, y + 31}, {x + 48, y + 31}}, r.shade,
         r.shade);
    box(p, x + 11, y + 7, 42, 2, r.light);
    box(p, x + 2, y + 31, 60, 2, r.dark);
    box(p, x + 2, y + 33, 60, 1, kInk);
}

void drawCastle(QPainter& p, QRect a) {
    const int x0 = a.left(), y0 = a.top(), w = a.width(), h = a.height();
    const int cx = x0 + w / 2;
    // A strip of grass behind the walls, then the paved courtyard with two gardens.
    box(p, x0, y0, w, h, worldpal::kGrass);
    box(p, x0, y0 + 24, w, h - 24, kStoneShade);
    for (int ty = y0 + 24; ty < y0 + h; ty += 16) {
        for (int tx = x0; tx < x0 + w; tx += 16) {
            box(p, tx + 1, ty + 1, 15, 15, ((tx + ty) / 16) % 2 ? kStone : 0xffc4bcb0);
        }
    }
    for (int side : {-1, 1}) {
        const int gx = side < 0 ? x0 + 40 : x0 + w - 40 - 96;
        outlinedBox(p, gx, y0 + 226, 96, 80, worldpal::kGrassDark);
        box(p, gx + 1, y0 + 227, 94, 3, worldpal::kGrass);
        for (int i = 0; i < 3; ++i) {
            p.setPen(QPen(QColor::fromRgb(kInk), 1));
            p.setBrush(QColor::fromRgb(worldpal::kGrassTuft));
            p.drawEllipse(QPoint(gx + 18 + i * 30, y0 + 262 + (i % 2) * 14), 10, 9);
            box(p, gx + 14 + i * 30, y0 + 257 + (i % 2) * 14, 3, 2, worldpal::kFlowerRed);
        }
    }
    box(p, cx - 12, y0 + 200, 24, h - 250, worldpal::kDirtLight);
    // Back and side walls seen from above.
    for (const QRect& r : {QRect(x0, y0 + 24, w, 24), QRect(x0, y0 + 24, 24, h - 24),
                           QRect(x0 + w - 24, y0 + 24, 24, h - 24)}) {
        outlinedBox(p, r.x(), r.y(), r.width(), r.height(), kStone);
    }
    box(p, x0 + 1, y0 + 25, w - 2, 4, kStoneLight);
    battlements(p, x0 + 4, y0 + 30, w - 8);
    // The keep and its spire.
    const int kx = cx - 84, ky = y0 + 110, kw = 168, kh = 96;
    box(p, kx - 1, ky - 1, kw + 2, kh + 2, kInk);
    brickFace(p, kx, ky, kw, kh);
    for (int i = 0; i < 4; ++i) {
        window(p, kx + 18 + i * 38, ky + 30);
    }
    outlinedBox(p, cx - 14, ky + kh - 34, 28, 34, kGate);
    poly(p, {{kx - 6, ky + 2}, {kx + kw + 6, ky + 2}, {kx + kw - 18, ky - 40}, {kx + 18, ky - 40}},
         kSpire.base, kInk);
    poly(p,
         {{kx + kw - 40, ky - 39},
          {kx + kw - 18, ky - 39},
          {kx + kw + 5, ky + 1},
          {kx + kw - 28, ky + 1}},
         kSpire.shade, kSpire.shade);
    box(p, kx + 19, ky - 38, kw - 38, 3, kSpire.light);
    box(p, kx - 5, ky + 1, kw + 10, 2, kSpire.dark);
    roundTower(p, cx, ky - 10, 22, 70);
    // Back corner towers.
    roundTower(p, x0 + 24, y0 + 84, 24, 56);
    roundTower(p, x0 + w - 24, y0 + 84, 24, 56);
    // Front wall with its gatehouse.
    const int fy = y0 + h - 52;
    box(p, x0 - 1, fy - 1, w + 2, 54, kInk);
    brickFace(p, x0, fy, w, 52);
    battlements(p, x0 + 4, fy, w - 8);
    for (int side : {-1, 1}) {
        const int gx = cx + side * 34 - 18;
        box(p, gx - 1, fy - 31, 38, 84, kInk);
        brickFace(p, gx, fy - 30, 36, 82);
        battlements(p, gx + 2, fy - 30, 34);
        window(p, gx + 13, fy - 14);
    }
    outlinedBox(p, cx - 16, fy + 14, 32, 38, kGate);
    poly(p, {{cx - 16, fy + 16}, {cx - 8, fy + 8}, {cx + 8, fy + 8}, {cx + 16, fy + 16}}, kGate,
         kInk);
    for (int gx = cx - 12; gx < cx + 14; gx += 6) {
        box(p, gx, fy + 12, 2, 40, kStoneDark);
    }
    for (int gy = fy + 20; gy < fy + 52; gy += 8) {
        box(p, cx - 15, gy, 30, 2, kStoneDark);
    }
    // Front corner towers.
    roundTower(p, x0 + 24, y0 + h + 4, 26, 70);
    roundTower(p, x0 + w - 24, y0 + h + 4, 26, 70);
}

void drawWatchtower(QPainter& p, QPoint foot) {
    poly(p,
         {{foot.x() - 16, foot.y()},
          {foot.x() + 22, foot.y()},
          {foot.x() + 18, foot.y() - 6},
          {foot.x() - 12, foot.y() - 6}},
         kShadow, kShadow);
    roundTower(p, foot.x(), foot.y(), 14, 52);
    outlinedBox(p, foot.x() - 5, foot.y() - 14, 10, 14, kGate);
}

void drawCave(QPainter& p, QPoint foot) {
    const int x = foot.x(), y = foot.y();
    poly(p,
         {{x - 16, y},
          {x - 13, y - 12},
          {x - 6, y - 20},
          {x + 6, y - 20},
          {x + 13, y - 12},
          {x + 16, y}},
         kStoneDark, kInk);
    poly(p,
         {{x - 11, y},
          {x - 9, y - 10},
          {x - 4, y - 15},
          {x + 4, y - 15},
          {x + 9, y - 10},
          {x + 11, y}},
         kGate, kGate);
    box(p, x - 16, y, 33, 3, kStoneShade);
}

void drawWell(QPainter& p, QPoint c) {
    const int x = c.x(), y = c.y();
    p.setPen(QPen(QColor::fromRgb(kInk), 1));
    p.setBrush(QColor::fromRgb(kStone));
    p.drawEllipse(QPoint(x, y + 4), 12, 9);
    p.setBrush(QColor::fromRgb(kDeeper));
    p.drawEllipse(QPoint(x, y + 3), 7, 5);
    box(p, x - 11, y - 14, 2, 18, kWoodDark);
    box(p, x + 10, y - 14, 2, 18, kWoodDark);
    poly(p, {{x - 15, y - 12}, {x, y - 22}, {x + 15, y - 12}}, kRoofs[0].base, kInk);
    box(p, x - 14, y - 12, 29, 2, kRoofs[0].dark);
}

void drawPier(QPainter& p, QRect a) {
    const int y = a.top() + a.height() / 2 - 8;
    for (int px = a.left(); px < a.right(); px += 24) {
        box(p, px + 2, y + 14, 4, 8, kWoodDark);
    }
    outlinedBox(p, a.left(), y, a.width(), 16, kWood);
    for (int px = a.left() + 6; px < a.right(); px += 6) {
        box(p, px, y + 1, 1, 14, kWoodDark);
    }
    box(p, a.left() + 1, y + 1, a.width() - 2, 2, kWoodLight);
    // A small sailing boat moored alongside.
    const int bx = a.right() - 56, by = y - 30;
    poly(p, {{bx, by + 18}, {bx + 44, by + 18}, {bx + 38, by + 27}, {bx + 6, by + 27}}, kWood,
         kInk);
    box(p, bx + 4, by + 19, 36, 2, kWoodLight);
    box(p, bx + 21, by - 16, 2, 34, kWoodDark);
    poly(p, {{bx + 23, by - 15}, {bx + 40, by + 14}, {bx + 23, by + 14}}, kFlowerWhite, kInk);
    poly(p, {{bx + 20, by - 10}, {bx + 20, by + 14}, {bx + 8, by + 14}}, kSandLight, kInk);
}

}  // namespace assetgen
