#pragma once

#include <QRgb>

namespace assetgen::worldpal {

// Ground.
constexpr QRgb kGrassLight = 0xff8cc85a;
constexpr QRgb kGrass = 0xff74b44c;
constexpr QRgb kGrassDark = 0xff62a244;
constexpr QRgb kGrassTuft = 0xff4e8c3a;
constexpr QRgb kGrassTip = 0xffa4d86c;
constexpr QRgb kForestFloor = 0xff3f7a36;
constexpr QRgb kForestFloorDark = 0xff336a30;
constexpr QRgb kRock = 0xff9a8e78;
constexpr QRgb kRockDark = 0xff7a6e62;
constexpr QRgb kFlowerWhite = 0xfff4f0e0;
constexpr QRgb kFlowerYellow = 0xfff0d048;
constexpr QRgb kFlowerRed = 0xffe0605a;
constexpr QRgb kFlowerBlue = 0xff7aa0f0;

// Shore and water.
constexpr QRgb kSandLight = 0xfff4e4b0;
constexpr QRgb kSand = 0xffe4cc8c;
constexpr QRgb kSandDark = 0xffc8ac6c;
constexpr QRgb kBank = 0xff52883a;
constexpr QRgb kFoam = 0xffe8f8f4;
constexpr QRgb kShallow = 0xff6ccce0;
constexpr QRgb kWater = 0xff40a2d8;
constexpr QRgb kDeep = 0xff2e80c4;
constexpr QRgb kDeeper = 0xff2866ac;
constexpr QRgb kGlint = 0xffb0ecf8;

// Roads, wood and fields.
constexpr QRgb kDirtEdge = 0xffa88050;
constexpr QRgb kDirt = 0xffd8b87c;
constexpr QRgb kDirtLight = 0xffe8cc94;
constexpr QRgb kPebble = 0xffb89862;
constexpr QRgb kWoodLight = 0xffc89058;
constexpr QRgb kWood = 0xffa06c3e;
constexpr QRgb kWoodDark = 0xff6a4428;
constexpr QRgb kSoil = 0xff9a6a3c;
constexpr QRgb kSoilDark = 0xff7a5030;
constexpr QRgb kCropGreen = 0xff8ac040;
constexpr QRgb kCropDark = 0xff5e9a34;
constexpr QRgb kWheat = 0xffecc850;
constexpr QRgb kWheatDark = 0xffc8a03a;

// Outlines.
constexpr QRgb kInk = 0xff2a2228;

}  // namespace assetgen::worldpal
