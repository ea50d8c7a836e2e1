// Writes the 64 character pictures and their contact sheet.
#include <QPainter>

#include "cast.h"
#include "common/bmp_writer.h"
#include "common/fonts.h"
#include "common/indexed_image.h"
#include "common/save.h"
#include "generators.h"

namespace assetgen {

namespace {

QImage contactSheet(const std::vector<QImage>& pictures) {
    constexpr int kColumns = 8;
    constexpr int kCellW = 148;
    constexpr int kCellH = 282;
    const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
    QImage sheet(kColumns * kCellW + 12, rows * kCellH + 12, QImage::Format_RGB32);
    sheet.fill(QColor(58, 64, 74));
    QPainter painter(&sheet);
    painter.setFont(labelFont(12));
    for (int i = 0; i < static_cast<int>(pictures.size()); ++i) {
        const int x = 6 + (i % kColumns) * kCellW + 10;
        const int y = 6 + (i / kColumns) * kCellH + 4;
        painter.fillRect(x - 2, y - 2, 132, 260, QColor(112, 148, 92));
        for (int row = 0; row < 4; ++row) {
            painter.fillRect(x - 2, y - 2 + row * 64, 132, 1, QColor(96, 128, 80));
        }
        QImage shown = pictures[static_cast<size_t>(i)].convertToFormat(QImage::Format_ARGB32);
        for (int py = 0; py < shown.height(); ++py) {
            QRgb* line = reinterpret_cast<QRgb*>(shown.scanLine(py));
            for (int px = 0; px < shown.width(); ++px) {
                if ((line[px] & 0xffffffu) == 0) {
                    line[px] = 0;
                }
            }
        }
        painter.drawImage(QRect(x, y, 128, 256), shown);
        painter.setPen(QColor(236, 232, 220));
        painter.drawText(QRect(x - 8, y + 258, 144, 18), Qt::AlignCenter,
                         QString::number(i) + QStringLiteral("  ") + characterName(i));
    }
    return sheet;
}

}  // namespace

void writeCharacters(const Output& out) {
    std::vector<QImage> pictures;
    for (int i = 0; i < kCharacterCount; ++i) {
        QImage picture = characterPicture(i);
        pictures.push_back(picture);
        const QString name = QStringLiteral("%1/Characters/Char%2.bmp")
                                 .arg(out.assets)
                                 .arg(i, 3, 10, QLatin1Char('0'));
        saveBytes(name, bmp8File(indexExact(picture)));
    }
    saveImage(out.docs + QStringLiteral("/characters.png"), contactSheet(pictures), "png");
}

}  // namespace assetgen
