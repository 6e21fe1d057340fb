// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>

#include "controls/OutBarImages.h"

namespace {

int paintedPixels(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) > 0;
        }
    }
    return count;
}

TEST(OutBarImages, EachListHoldsAPaintedImageZeroOfItsSize) {
    const struct {
        OutBarImageList list;
        int side;
    } cases[] = {{OutBarImages::phonebook(), 32},
                 {OutBarImages::messages(), 32},
                 {OutBarImages::todo(), 32},
                 {OutBarImages::scheduler(), 32},
                 {OutBarImages::smallBullet(), 10}};
    for (const auto& c : cases) {
        ASSERT_FALSE(c.list.isNull());
        EXPECT_EQ(c.list.imageSize, QSize(c.side, c.side));
        EXPECT_EQ(c.list.images.front().size(), QSize(c.side, c.side));
        const int painted = paintedPixels(c.list.images.front());
        EXPECT_GT(painted, c.side * c.side / 10);
        EXPECT_LT(painted, c.side * c.side);  // transparent around the picture
    }
}

}  // namespace
