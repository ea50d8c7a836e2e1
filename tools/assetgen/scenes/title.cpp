// The game's title lettering and its icon.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "common/fonts.h"
#include "common/jpeg_writer.h"
#include "common/save.h"
#include "generators.h"

namespace assetgen {

namespace {

const QColor kInk(30, 20, 48);
const QColor kShadow(70, 48, 104);
const QColor kGoldTop(248, 222, 120);
const QColor kGoldMid(236, 178, 56);
const QColor kGoldLow(176, 104, 30);

QLinearGradient goldGradient(double top, double bottom) {
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0.0, kGoldTop);
    g.setColorAt(0.45, kGoldMid);
    g.setColorAt(0.55, QColor(214, 140, 40));
    g.setColorAt(1.0, kGoldLow);
    return g;
}

// A curl of vine running away from the lettering, mirrored for the other side.
QPainterPath flourish(QPointF start, double dir) {
    dir *= 0.82;
    QPainterPath path(start);
    path.cubicTo(start + QPointF(dir * 30, -22), start + QPointF(dir * 62, 18),
                 start + QPointF(dir * 88, -4));
    path.cubicTo(start + QPointF(dir * 104, -16), start + QPointF(dir * 96, -30),
                 start + QPointF(dir * 84, -24));
    path.cubicTo(start + QPointF(dir * 76, -20), start + QPointF(dir * 82, -10),
                 start + QPointF(dir * 90, -14));
    QPainterPath lower(start + QPointF(dir * 34, 4));
    lower.cubicTo(start + QPointF(dir * 44, 20), start + QPointF(dir * 60, 22),
                  start + QPointF(dir * 66, 12));
    path.addPath(lower);
    return path;
}

QPainterPath diamond(QPointF c, double r) {
    QPainterPath p(c + QPointF(0, -r));
    p.lineTo(c + QPointF(r * 0.7, 0));
    p.lineTo(c + QPointF(0, r));
    p.lineTo(c + QPointF(-r * 0.7, 0));
    p.closeSubpath();
    return p;
}

// Puts a picture drawn on transparency onto white with hard edges, so that when white is keyed
// out no pale fringe is left around the lettering.
QImage ontoWhite(const QImage& art) {
    QImage out(art.size(), QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y) {
        const QRgb* src = reinterpret_cast<const QRgb*>(art.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < art.width(); ++x) {
            const QRgb c = src[x];
            const int a = qAlpha(c);
            if (a < 128) {
                dst[x] = qRgb(255, 255, 255);
            } else {
                dst[x] = qRgb(qRed(c) * 255 / a, qGreen(c) * 255 / a, qBlue(c) * 255 / a);
            }
        }
    }
    return out;
}

QImage titleArt() {
    constexpr int W = 600, H = 113;
    QImage art(W, H, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath text;
    text.addText(0, 0, titleFont(86), QStringLiteral("Velmora"));
    const QRectF box = text.boundingRect();
    text.translate(W / 2.0 - box.center().x(), 58 - box.center().y());
    const QRectF tb = text.boundingRect();
    // Flourishes on both sides, then a band behind the word.
    for (double dir : {-1.0, 1.0}) {
        const QPointF start(dir < 0 ? tb.left() - 6 : tb.right() + 6, 70);
        const QPainterPath f = flourish(start, dir);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kInk, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(f.translated(3, 3));
        p.drawPath(f);
        p.setPen(QPen(kGoldMid, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(f);
        const QPainterPath gem = diamond(start + QPointF(dir * 90, -6), 8);
        p.setPen(QPen(kInk, 3));
        p.setBrush(QColor(200, 40, 70));
        p.drawPath(gem);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(246, 120, 140));
        p.drawPath(diamond(start + QPointF(dir * 90 - 2, -9), 3));
    }
    // Shadow, thick outline, gold face, and a bright edge along the top of each letter.
    p.setPen(QPen(kShadow, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kShadow);
    p.drawPath(text.translated(4, 5));
    p.setPen(QPen(kInk, 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kInk);
    p.drawPath(text);
    p.setPen(QPen(QColor(150, 80, 24), 2.5));
    p.setBrush(goldGradient(tb.top(), tb.bottom()));
    p.drawPath(text);
    p.setClipPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 236, 160, 150));
    p.drawPath(text.translated(0, -tb.height() * 0.62).intersected(text.translated(1.5, 3)));
    p.setClipping(false);
    // A rule under the word with a gem in the middle.
    const double ruleY = tb.bottom() + 10;
    p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(tb.left() + 30, ruleY), QPointF(tb.right() - 30, ruleY));
    p.setPen(QPen(kGoldMid, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(tb.left() + 30, ruleY), QPointF(tb.right() - 30, ruleY));
    p.setPen(QPen(kInk, 3));
    p.setBrush(QColor(60, 120, 220));
    p.drawPath(diamond(QPointF(W / 2.0, ruleY), 8));
    p.end();
    return ontoWhite(art);
}

QImage iconArt() {
    constexpr int S = 256;
    QImage img(S, S, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath shield(QPointF(128, 14));
    shield.cubicTo(QPointF(170, 34), QPointF(206, 30), QPointF(228, 26));
    shield.cubicTo(QPointF(234, 120), QPointF(206, 196), QPointF(128, 242));
    shield.cubicTo(QPointF(50, 196), QPointF(22, 120), QPointF(28, 26));
    shield.cubicTo(QPointF(50, 30), QPointF(86, 34), QPointF(128, 14));
    p.setPen(QPen(kInk, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kInk);
    p.drawPath(shield.translated(4, 6));
    QLinearGradient blue(0, 20, 0, 240);
    blue.setColorAt(0, QColor(92, 150, 236));
    blue.setColorAt(1, QColor(30, 56, 140));
    p.setPen(QPen(kInk, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(blue);
    p.drawPath(shield);
    p.setPen(QPen(goldGradient(14, 242), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shield);
    QPainterPath letter;
    letter.addText(0, 0, titleFont(170), QStringLiteral("V"));
    const QRectF lb = letter.boundingRect();
    letter.translate(128 - lb.center().x(), 124 - lb.center().y());
    p.setPen(QPen(kInk, 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kInk);
    p.drawPath(letter.translated(3, 4));
    p.drawPath(letter);
    p.setPen(QPen(QColor(150, 80, 24), 2));
    p.setBrush(goldGradient(lb.height() * 0.1 + 40, 210));
    p.drawPath(letter);
    p.setPen(QPen(kInk, 3));
    p.setBrush(QColor(200, 40, 70));
    p.drawPath(diamond(QPointF(128, 40), 12));
    p.end();
    return img;
}

}  // namespace

void writeTitle(const Output& out) {
    const QImage title = titleArt();
    saveBytes(out.assets + QStringLiteral("/Pictures/Title.jpg"), encodeJpeg(title, 100));
    saveImage(out.docs + QStringLiteral("/title.png"), title, "png");
}

void writeIcon(const Output& out) {
    saveImage(out.assets + QStringLiteral("/Pictures/Velmora.png"), iconArt(), "png");
}

}  // namespace assetgen
