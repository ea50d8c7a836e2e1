#pragma once

#include <QImage>
#include <QRgb>
#include <vector>

namespace assetgen::scene {

constexpr int kLandscapeW = 1536;
constexpr int kLandscapeH = 512;

// The sky shared by the three landscapes, so they join where the title screen cycles them.
const std::vector<QRgb>& skyRamp();
constexpr int kSkyBottom = 330;
void paintSky(QImage& image, int cloudSeed, int cloudCount);

QImage hillsLandscape();
QImage plainsLandscape();
QImage forestLandscape();
QImage battlefield();

// Scattered tufts and flowers over ground that starts at `top(x)`.
void grassDetails(QImage& image, int seed, int fromY, QRgb tuft, QRgb tip);

}  // namespace assetgen::scene
