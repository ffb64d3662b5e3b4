// Any bytes as a palette file: refused with a reason and the palette untouched, or read with
// every colour's top byte clear.
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/image/palette16.h"
#include "fuzz_check.h"

using namespace orvandel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Palette16 palette;
    for (int i = 0; i < Palette16::kSize; ++i) {
        palette[i] = 0xA5A5A5A5u;  // a value no successful read can produce
    }
    const Palette16 before = palette;
    const Status status = palette.ReadPaletteBytes(std::span(data, size));
    if (!status.ok()) {
        FUZZ_CHECK(!status.reason().empty());
        FUZZ_CHECK(palette == before);
        return 0;
    }
    for (const Colour colour : palette.colours()) {
        FUZZ_CHECK((colour >> 24) == 0);
    }
    return 0;
}
