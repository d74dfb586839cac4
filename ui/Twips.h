#pragma once

#include <QRect>

namespace ui {

// Screen layouts are given in twips; at the usual 96 dots per inch a pixel is 15 twips.
constexpr int fromTwips(int twips)
{
    return twips / 15;
}

constexpr QRect fromTwips(int left, int top, int width, int height)
{
    return QRect(fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height));
}

} // namespace ui
