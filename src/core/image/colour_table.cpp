#include "core/image/colour_table.h"

namespace orvandel {

ColourTable256 BuildColourTable(const Palette16& palette) {
    ColourTable256 table{};
    for (int i = 0; i < Palette16::kSize; ++i) {
        const Colour c = palette[i];
        table[static_cast<std::size_t>(i)] = RgbQuad{BlueOf(c), GreenOf(c), RedOf(c), 0};
    }
    return table;
}

}  // namespace orvandel
