#pragma once

#include <QRect>
#include <QSize>

// Window layouts are given in twips; at 96 dpi a pixel is 15 twips. Every position goes through here.
namespace Twips {
inline constexpr int PerPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips + PerPixel / 2) / PerPixel;
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
