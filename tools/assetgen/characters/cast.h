#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace assetgen {

constexpr int kCharacterCount = 64;

// One character picture: 64 x 128, rows facing up, right, down, left; columns the two steps.
QImage characterPicture(int index);

// A short description of who the picture shows, printed on the contact sheet.
QString characterName(int index);

}  // namespace assetgen
