#pragma once

#include <QColor>
#include <QImage>

// How many pixels of the picture pass the test, which gets each pixel's place and colour.
template <typename Test>
int pixelsWhere(const QImage &picture, Test test) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x)
            count += test(x, y, picture.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}
