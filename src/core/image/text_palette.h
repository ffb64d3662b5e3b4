#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "core/common/status.h"
#include "core/image/palette16.h"

namespace orvandel {

// The two text palettes paint programs write: JASC-PAL (Paint Shop Pro, Aseprite, ...) and GIMP
// palettes. Either must hold at least 16 colours; the first 16 are taken.
//
// None when the text is neither (it does not start with either signature); otherwise the
// outcome, with the colours in `colours` on success.
std::optional<Status> ReadTextPalette(std::string_view text,
                                      std::array<Colour, Palette16::kSize>& colours);

// Whether the first bytes look like a text palette, so a reader can tell it from a RIFF one.
bool LooksLikeTextPalette(std::string_view head);

}  // namespace orvandel
