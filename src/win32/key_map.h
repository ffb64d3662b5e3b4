#pragma once

#include <optional>

namespace orvandel::win32 {

// The control a key presses on the form: 7 8 9 / 4 5 6 the walk and turn buttons, from the main
// keyboard (as typed characters, whatever the layout) and from the keypad (as keys, so Num Lock
// needs no thought), and E the even/odd check box. Nothing while Ctrl or Alt is held: those
// belong to the dialog's own mnemonics and to the panel's Ctrl+C.
// `message` is WM_CHAR or WM_KEYDOWN with its `key`.
std::optional<int> FormControlForKey(unsigned message, unsigned long long key, bool ctrlOrAlt);

}  // namespace orvandel::win32
