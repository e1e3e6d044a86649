#include "Contrast.h"

#include <algorithm>
#include <cmath>

namespace vorsa::ui
{

namespace
{

double Linear(unsigned char channel)
{
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Colour colour)
{
    return 0.2126 * Linear(colour.red) + 0.7152 * Linear(colour.green) +
           0.0722 * Linear(colour.blue);
}

} // namespace

double ContrastRatio(Colour a, Colour b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Colour ReadableOn(Colour background, Colour wanted)
{
    constexpr Colour kBlack{0, 0, 0};
    constexpr Colour kWhite{255, 255, 255};
    if (ContrastRatio(background, wanted) >= kReadableContrast)
        return wanted;
    return ContrastRatio(background, kBlack) >= ContrastRatio(background, kWhite) ? kBlack : kWhite;
}

} // namespace vorsa::ui
