#include "Contrast.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace vorsa::testing
{

namespace
{

double Linear(unsigned char channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(ui::Colour colour)
{
    return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) +
           0.0722 * Linear(colour.blue);
}

} // namespace

double ContrastRatio(ui::Colour a, ui::Colour b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

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
