#include "PaintedColours.h"

#include <map>
#include <tuple>

namespace vorsa::testing
{

Painted PaintedFrom(const std::vector<ui::Colour> &pixels)
{
    std::map<std::tuple<int, int, int>, int> counts;
    for (const ui::Colour &pixel : pixels)
        ++counts[{pixel.red, pixel.green, pixel.blue}];
    Painted painted;
    int most = 0;
    for (const auto &[rgb, count] : counts) {
        if (count > most) {
            most = count;
            painted.background = {static_cast<unsigned char>(std::get<0>(rgb)),
                                  static_cast<unsigned char>(std::get<1>(rgb)),
                                  static_cast<unsigned char>(std::get<2>(rgb))};
        }
    }
    painted.text = painted.background;
    double best = 1.0;
    for (const ui::Colour &pixel : pixels) {
        const double ratio = ContrastRatio(pixel, painted.background);
        if (ratio > best) {
            best = ratio;
            painted.text = pixel;
        }
    }
    return painted;
}

} // namespace vorsa::testing
