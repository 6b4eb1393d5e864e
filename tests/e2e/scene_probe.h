#pragma once

#include <algorithm>
#include <climits>

#include "x_session.h"

namespace wobblux::e2e {

// What the tests look for in a frame, by colour.

// The lit yellow of the hourglass cones: strong red and green, little blue.
inline bool isYellow(const std::uint8_t* p) {
    return p[0] > 100 && p[1] > 100 && p[2] * 2 < p[0] && p[2] * 2 < p[1];
}

// Spark streaks: bright and nearly grey (the tank and the sheet are blue, the darts are
// saturated colours).
inline bool isSpark(const std::uint8_t* p) {
    const int low = std::min({p[0], p[1], p[2]});
    const int high = std::max({p[0], p[1], p[2]});
    return low > 70 && high - low < 60;
}

template <typename Predicate>
int countPixels(const Image& image, Region region, Predicate predicate) {
    int count = 0;
    for (int y = std::max(0, region.top); y < std::min(image.height, region.bottom); ++y) {
        for (int x = std::max(0, region.left); x < std::min(image.width, region.right); ++x) {
            count += predicate(image.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Mean position of the yellow pixels in `region` (the whole image if none is given), in the
// image's pixels; false if there are none.
inline bool yellowCentre(const Image& image, double& x, double& y, int& count,
                         Region region = {0, 0, INT_MAX, INT_MAX}) {
    double sumX = 0;
    double sumY = 0;
    count = 0;
    for (int row = std::max(0, region.top); row < std::min(image.height, region.bottom); ++row) {
        for (int column = std::max(0, region.left); column < std::min(image.width, region.right);
             ++column) {
            if (isYellow(image.at(column, row))) {
                sumX += column;
                sumY += row;
                ++count;
            }
        }
    }
    if (count == 0) {
        return false;
    }
    x = sumX / count;
    y = sumY / count;
    return true;
}

}  // namespace wobblux::e2e
