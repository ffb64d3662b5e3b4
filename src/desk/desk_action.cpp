#include "desk/desk_action.h"

#include <array>

#include "core/common/message_texts.h"
#include "desk/desk_texts.h"

namespace orvandel {
namespace {

struct ActionEntry {
    DeskAction action;
    std::string_view caption;
    bool checkable;
    char32_t key;  // 0 for none
};

// clang-format off
constexpr std::array<ActionEntry, kDeskActionCount> kActions = {{
    {DeskAction::TurnLeft,            "Turn left &7",                    false, U'7'},
    {DeskAction::MoveForward,         "Move forward &8",                 false, U'8'},
    {DeskAction::TurnRight,           "Turn right &9",                   false, U'9'},
    {DeskAction::MoveLeft,            "Move left &4",                    false, U'4'},
    {DeskAction::MoveBack,            "Move back &5",                    false, U'5'},
    {DeskAction::MoveRight,           "Move right &6",                   false, U'6'},
    {DeskAction::EvenOdd,             "Enable &Even/Odd simulation",     true,  U'E'},
    {DeskAction::Reload,              "Reload palette and bitmap files", false, 0},
    {DeskAction::Export,              "Export Pelorim for Vantrelle",    false, 0},
    {DeskAction::CopyView,            messages::kCopyViewAction,         false, 0},
    {DeskAction::SaveView,            messages::kSaveViewAction,         false, 0},
    {DeskAction::ShowProblems,        "Show problems",                   true,  0},
    {DeskAction::ReloadAutomatically, messages::kReloadAutomatically,    true,  0},
    {DeskAction::LoadTestMap,         messages::kLoadTestMap,            false, 0},
    {DeskAction::SaveTestMap,         messages::kSaveTestMap,            false, 0},
    {DeskAction::ResetTestMap,        messages::kResetTestMap,           false, 0},
}};
// clang-format on

constexpr bool ActionsInOrder() {
    for (std::size_t i = 0; i < kActions.size(); ++i) {
        if (static_cast<std::size_t>(kActions[i].action) != i) {
            return false;
        }
    }
    return true;
}
static_assert(ActionsInOrder(), "kActions must list every DeskAction in order");

char32_t UpperAscii(char32_t c) {
    return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c;
}

}  // namespace

std::string_view ActionCaption(DeskAction action) {
    return kActions.at(static_cast<std::size_t>(action)).caption;
}

bool IsCheckable(DeskAction action) {
    return kActions.at(static_cast<std::size_t>(action)).checkable;
}

std::optional<DeskAction> ActionForKey(const DeskKey& key) {
    const char32_t character = UpperAscii(key.character);
    for (const ActionEntry& entry : kActions) {
        if (entry.key == 0 || entry.key != character) {
            continue;
        }
        // A letter may come with Shift (caps lock, a held Shift); a digit of the main keyboard
        // with Shift is another character on most layouts, so it takes no modifier at all.
        const bool letter = character >= U'A' && character <= U'Z';
        const unsigned allowed = letter ? kShiftModifier : kNoModifier;
        if ((key.modifiers & ~allowed) != 0) {
            return std::nullopt;
        }
        return entry.action;
    }
    return std::nullopt;
}

}  // namespace orvandel
