// The character pictures: transparent key, frames, distinctness and walking steps.
#include <gtest/gtest.h>

#include <QPoint>
#include <vector>

#include "asset_paths.h"

namespace {

constexpr int kFrame = 32;

QImage frame(const QImage& picture, int row, int step) {
    return picture.copy(step * kFrame, row * kFrame, kFrame, kFrame);
}

// Pure-black pixels that cannot reach the frame border through pure black: holes in a figure.
int enclosedBlackPixels(const QImage& f) {
    std::vector<bool> seen(kFrame * kFrame, false);
    std::vector<QPoint> stack;
    auto visit = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= kFrame || y >= kFrame) {
            return;
        }
        const size_t i = static_cast<size_t>(y * kFrame + x);
        if (!seen[i] && pureBlack(f.pixel(x, y))) {
            seen[i] = true;
            stack.emplace_back(x, y);
        }
    };
    for (int i = 0; i < kFrame; ++i) {
        visit(i, 0);
        visit(i, kFrame - 1);
        visit(0, i);
        visit(kFrame - 1, i);
    }
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    int enclosed = 0;
    for (int y = 0; y < kFrame; ++y) {
        for (int x = 0; x < kFrame; ++x) {
            if (pureBlack(f.pixel(x, y)) && !seen[static_cast<size_t>(y * kFrame + x)]) {
                ++enclosed;
            }
        }
    }
    return enclosed;
}

int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

class CharacterPictures : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        pictures_ = new std::vector<QImage>();
        for (int i = 0; i < 64; ++i) {
            pictures_->push_back(QImage(characterPath(i)).convertToFormat(QImage::Format_RGB32));
        }
    }
    static void TearDownTestSuite() {
        delete pictures_;
        pictures_ = nullptr;
    }
    static const QImage& picture(int i) { return (*pictures_)[static_cast<size_t>(i)]; }
    static std::vector<QImage>* pictures_;
};

std::vector<QImage>* CharacterPictures::pictures_ = nullptr;

TEST_F(CharacterPictures, PureBlackOnlySurroundsTheFigures) {
    for (int i = 0; i < 64; ++i) {
        ASSERT_FALSE(picture(i).isNull()) << i;
        for (int row = 0; row < 4; ++row) {
            for (int step = 0; step < 2; ++step) {
                EXPECT_EQ(enclosedBlackPixels(frame(picture(i), row, step)), 0)
                    << "picture " << i << " row " << row << " step " << step;
            }
        }
    }
}

TEST_F(CharacterPictures, EveryFrameShowsAFigureWithTransparentSurround) {
    for (int i = 0; i < 64; ++i) {
        for (int row = 0; row < 4; ++row) {
            for (int step = 0; step < 2; ++step) {
                const QImage f = frame(picture(i), row, step);
                int figure = 0;
                for (int y = 0; y < kFrame; ++y) {
                    for (int x = 0; x < kFrame; ++x) {
                        figure += pureBlack(f.pixel(x, y)) ? 0 : 1;
                    }
                }
                EXPECT_GT(figure, 120) << "picture " << i << " row " << row << " step " << step;
                EXPECT_TRUE(pureBlack(f.pixel(0, 0)) && pureBlack(f.pixel(31, 0)))
                    << "picture " << i << " row " << row;
            }
        }
    }
}

TEST_F(CharacterPictures, TheTwoStepsOfEveryRowDiffer) {
    for (int i = 0; i < 64; ++i) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_GE(differingPixels(frame(picture(i), row, 0), frame(picture(i), row, 1)), 6)
                << "picture " << i << " row " << row;
        }
    }
}

TEST_F(CharacterPictures, FacingsDifferWithinAPicture) {
    for (int i = 0; i < 64; ++i) {
        EXPECT_GT(differingPixels(frame(picture(i), 0, 0), frame(picture(i), 2, 0)), 0) << i;
        EXPECT_GT(differingPixels(frame(picture(i), 1, 0), frame(picture(i), 3, 0)), 0) << i;
    }
}

TEST_F(CharacterPictures, NoTwoPicturesAlike) {
    for (int a = 0; a < 64; ++a) {
        for (int b = a + 1; b < 64; ++b) {
            EXPECT_GT(differingPixels(picture(a), picture(b)), 200) << a << " and " << b;
        }
    }
}

}  // namespace
