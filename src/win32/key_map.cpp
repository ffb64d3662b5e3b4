#include "win32/key_map.h"

#include <array>
#include <utility>

#include "win32/resource.h"

namespace orvandel::win32 {
namespace {

// clang-format off
constexpr std::array<std::pair<DeskAction, int>, 9> kControls = {{
    {DeskAction::TurnLeft,    IDC_TURN_LEFT},
    {DeskAction::MoveForward, IDC_MOVE_FORWARD},
    {DeskAction::TurnRight,   IDC_TURN_RIGHT},
    {DeskAction::MoveLeft,    IDC_MOVE_LEFT},
    {DeskAction::MoveBack,    IDC_MOVE_BACK},
    {DeskAction::MoveRight,   IDC_MOVE_RIGHT},
    {DeskAction::EvenOdd,     IDC_EVEN_ODD},
    {DeskAction::Reload,      IDC_RELOAD},
    {DeskAction::Export,      IDC_EXPORT},
}};
// clang-format on

}  // namespace

std::optional<DeskKey> DeskKeyOf(UINT message, WPARAM key, unsigned modifiers) {
    if (message == WM_CHAR && key >= 0x20) {
        // The character already holds Shift (and the layout); what is left to judge is a
        // held Ctrl or Alt.
        return DeskKey{static_cast<char32_t>(key), modifiers & ~unsigned{kShiftModifier}, false};
    }
    if (message == WM_KEYDOWN && key >= VK_NUMPAD0 && key <= VK_NUMPAD9) {
        return DeskKey{static_cast<char32_t>(U'0' + (key - VK_NUMPAD0)), modifiers, true};
    }
    return std::nullopt;
}

std::optional<int> ControlOfAction(DeskAction action) {
    for (const auto& [each, control] : kControls) {
        if (each == action) {
            return control;
        }
    }
    return std::nullopt;
}

std::optional<DeskAction> ActionOfControl(int control) {
    for (const auto& [action, each] : kControls) {
        if (each == control) {
            return action;
        }
    }
    return std::nullopt;
}

}  // namespace orvandel::win32
