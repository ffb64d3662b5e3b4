#include "win32/key_map.h"

#include <windows.h>

#include <array>

#include "win32/resource.h"

namespace orvandel::win32 {
namespace {

struct WalkKey {
    wchar_t digit;
    unsigned keypad;
    int control;
};

// clang-format off
constexpr std::array<WalkKey, 6> kWalkKeys = {{
    {L'7', VK_NUMPAD7, IDC_TURN_LEFT},
    {L'8', VK_NUMPAD8, IDC_MOVE_FORWARD},
    {L'9', VK_NUMPAD9, IDC_TURN_RIGHT},
    {L'4', VK_NUMPAD4, IDC_MOVE_LEFT},
    {L'5', VK_NUMPAD5, IDC_MOVE_BACK},
    {L'6', VK_NUMPAD6, IDC_MOVE_RIGHT},
}};
// clang-format on

}  // namespace

std::optional<int> FormControlForKey(unsigned message, unsigned long long key, bool ctrlOrAlt) {
    if (ctrlOrAlt) {
        return std::nullopt;
    }
    for (const WalkKey& walk : kWalkKeys) {
        if ((message == WM_CHAR && key == walk.digit) ||
            (message == WM_KEYDOWN && key == walk.keypad)) {
            return walk.control;
        }
    }
    if (message == WM_CHAR && (key == L'e' || key == L'E')) {
        return IDC_EVEN_ODD;
    }
    return std::nullopt;
}

}  // namespace orvandel::win32
