#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/image/palette16.h"

namespace orvandel {

// A picture being composed: three bytes (red, green, blue) per pixel, top row first.
class RgbCanvas {
public:
    RgbCanvas(int width, int height, Colour background);

    int width() const { return m_width; }
    int height() const { return m_height; }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

    // Pixels outside the canvas are ignored.
    void Set(int x, int y, Colour colour);
    Colour At(int x, int y) const;
    void Fill(int left, int top, int width, int height, Colour colour);
    // Text (UTF-8) in the built-in 5 x 7 font, each font pixel `scale` x `scale`; a character
    // outside printable ASCII shows as one '?'. Returns the x just past the text.
    int DrawText(int x, int y, std::string_view text, Colour colour, int scale = 1);

    static constexpr int kGlyphAdvance = 6;  // font pixels per character
    static constexpr int kGlyphHeight = 8;   // with the descenders

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace orvandel
