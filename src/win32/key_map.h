#pragma once

#include <windows.h>

#include <optional>

#include "desk/desk_action.h"

namespace orvandel::win32 {

// A key message in the model's terms: typed characters (WM_CHAR, whatever the keyboard layout;
// Shift is already in the character) and the keypad's digit keys (WM_KEYDOWN, so that Num
// Lock needs no thought). Nothing for other messages and keys. `modifiers` are the model's
// KeyModifier bits held with the key.
std::optional<DeskKey> DeskKeyOf(UINT message, WPARAM key, unsigned modifiers);

// The form's control that carries an action, and back: a key presses the control, as the
// captions' mnemonics do, so the focus and the check box follow.
std::optional<int> ControlOfAction(DeskAction action);
std::optional<DeskAction> ActionOfControl(int control);

}  // namespace orvandel::win32
