#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "core/image/palette_dib.h"
#include "core/view/view_picture_size.h"

namespace orvandel::win32 {

// Puts a picture of the view on the clipboard as a device-independent bitmap; false when the
// clipboard was busy.
bool CopyViewToClipboard(HWND owner, const CPaletteDib& picture);

// The clipboard's CF_DIB form of a bitmap: its BMP file without the file header.
std::vector<std::uint8_t> ClipboardDib(const CPaletteDib& picture);

// Asks for a file and writes the view at the chosen scale. Nothing when saved or cancelled;
// otherwise the message that says why it was not saved.
std::optional<std::string> SaveViewAs(HWND owner, const CPaletteDib& viewport,
                                      const std::vector<int>& scales);

}  // namespace orvandel::win32
