// Any bytes as a wall-set file: every lookup ends, and a found value is one line, free of NUL
// bytes and never longer than the cut-off.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/wallset/profile_reader.h"
#include "core/wallset/wallset_keys.h"
#include "fuzz_check.h"

using namespace orvandel;

namespace {

void CheckValue(const std::string& value, std::string_view defaultValue) {
    if (value == defaultValue) {
        return;
    }
    FUZZ_CHECK(value.size() <= kMaxSettingLength);
    FUZZ_CHECK(value.find('\0') == std::string::npos);
    FUZZ_CHECK(value.find('\n') == std::string::npos);
    FUZZ_CHECK(value.find('\r') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const WallSetKey& key : kWallSetKeys) {
        CheckValue(ReadProfileString(text, kWallSetSection, key.key, key.defaultName),
                   key.defaultName);
    }
    // Letter case of names does not matter, so these must find the same values.
    for (const WallSetKey& key : kWallSetKeys) {
        FUZZ_CHECK(ReadProfileString(text, "bmp", key.key, key.defaultName) ==
                   ReadProfileString(text, kWallSetSection, key.key, key.defaultName));
    }
    CheckValue(ReadProfileString(text, "BMP", "", "none"), "none");
    FUZZ_CHECK(ReadProfileString(text, "BMP", "", "none") == "none");
    CheckValue(ReadProfileString(text, "", "0084", "none"), "none");
    return 0;
}
