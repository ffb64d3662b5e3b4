#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvandel {

// Everything the artist can ask of the main window, whatever draws it.
enum class DeskAction {
    TurnLeft,
    MoveForward,
    TurnRight,
    MoveLeft,
    MoveBack,
    MoveRight,
    EvenOdd,
    Reload,
    Export,
    CopyView,             // the front-end's clipboard: it takes ViewPictureAsShown()
    SaveView,             // the front-end's file dialog and writer
    ShowProblems,         // checkable
    ReloadAutomatically,  // checkable
    LoadTestMap,
    SaveTestMap,
    ResetTestMap,
    Count,  // not an action: how many there are
};
inline constexpr std::size_t kDeskActionCount = static_cast<std::size_t>(DeskAction::Count);

// The caption of an action's button, check box or menu entry, '&' before its mnemonic.
std::string_view ActionCaption(DeskAction action);
bool IsCheckable(DeskAction action);

// A key as the window system reports it, in neutral terms: the character on the key (digits
// and upper-case letters; the keypad's digits count as digits) and the modifiers held.
enum KeyModifier : unsigned {
    kNoModifier = 0,
    kShiftModifier = 1,
    kControlModifier = 2,
    kAltModifier = 4,
    kMetaModifier = 8,
};
struct DeskKey {
    char32_t character = 0;  // '7', 'E', ...; letters in either case
    unsigned modifiers = kNoModifier;
    bool keypad = false;
};

// The window's keys: 7 8 9 4 5 6 walk and turn from the main keyboard and the keypad alike, E
// (with or without Shift) switches the even/odd simulation; no control takes typed text, so no
// Alt is needed. Nothing for any other key.
std::optional<DeskAction> ActionForKey(const DeskKey& key);

}  // namespace orvandel
