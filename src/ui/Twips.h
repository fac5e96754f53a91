#pragma once

#include <QRect>

// The side windows are laid out in twips, 15 to the pixel.
namespace Twips {

inline constexpr int PerPixel = 15;

constexpr int ToPixels(int twips)
{
    return twips / PerPixel;
}

constexpr QRect ToPixels(int left, int top, int width, int height)
{
    return QRect(ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height));
}

}  // namespace Twips
