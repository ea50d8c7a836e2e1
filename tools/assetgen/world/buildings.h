#pragma once

#include <QPainter>
#include <QPoint>
#include <QRect>

namespace assetgen {

// Buildings of the overworld, drawn with solid colours at pixel positions.
// A two-by-two-tile house whose top-left corner is at `topLeft`; `roof` picks red, blue or thatch.
void drawHouse(QPainter& p, QPoint topLeft, int roof);
// The castle filling `area` (pixels), with walls, corner towers, gatehouse and keep.
void drawCastle(QPainter& p, QRect area);
void drawWell(QPainter& p, QPoint centre);
// A lone stone watchtower standing at `foot`.
void drawWatchtower(QPainter& p, QPoint foot);
// A cave mouth in a mountainside, its sill at `foot`.
void drawCave(QPainter& p, QPoint foot);
// A wooden pier over `area` (pixels), and a moored boat beside it.
void drawPier(QPainter& p, QRect area);

}  // namespace assetgen
