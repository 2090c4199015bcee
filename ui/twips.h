#pragma once

#include <QRect>
#include <QSize>

// Window layouts are given in twips; at 96 dpi a pixel is 15 twips. Every position goes through here.
namespace Twips {
inline constexpr int PerPixel = 15;

// Rounds to the nearest pixel, halves away from zero, for negative offsets too.
constexpr int toPixels(int twips)
{
    return twips >= 0 ? (twips + PerPixel / 2) / PerPixel : -((-twips + PerPixel / 2) / PerPixel);
}

inline QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

inline QSize size(int width, int height)
{
    return {toPixels(width), toPixels(height)};
}
} // namespace Twips
