#include "win32/view_picture.h"

#include <cstring>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "win32/file_dialogs.h"

namespace orvandel::win32 {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

}  // namespace

std::vector<std::uint8_t> ClipboardDib(const CPaletteDib& picture) {
    std::vector<std::uint8_t> file = picture.EncodeBmp();
    if (file.size() <= kFileHeaderSize) {
        return {};
    }
    return {file.begin() + kFileHeaderSize, file.end()};
}

bool CopyViewToClipboard(HWND owner, const CPaletteDib& picture) {
    const std::vector<std::uint8_t> dib = ClipboardDib(picture);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, dib.size());
    if (memory == nullptr) {
        return false;
    }
    std::memcpy(::GlobalLock(memory), dib.data(), dib.size());
    ::GlobalUnlock(memory);
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ::EmptyClipboard();
    const bool placed = ::SetClipboardData(CF_DIB, memory) != nullptr;
    ::CloseClipboard();
    if (!placed) {
        ::GlobalFree(memory);
    }
    return placed;
}

std::optional<std::string> SaveViewAs(HWND owner, const CPaletteDib& viewport,
                                      const std::vector<int>& scales) {
    FileQuestion question{std::string(messages::kSaveViewTitle), {}};
    for (const int scale : scales) {
        std::string name = messages::SaveViewFilter("BMP", scale);
        name.erase(name.rfind(" ("));  // the dialog shows the pattern itself
        question.filters.push_back({name, "*.bmp"});
    }
    const auto choice = AskSaveFile(owner, question);
    if (!choice) {
        return std::nullopt;
    }
    const int scale = choice->filter < scales.size() ? scales[choice->filter] : 1;
    const std::unique_ptr<CPaletteDib> picture =
        ScaleViewPicture(viewport, ViewPictureAtScale(scale));
    const Status saved = picture ? picture->WriteBmpFile(choice->file)
                                 : Status::Fail(std::string(messages::kPictureHasNoPixels));
    if (saved) {
        return std::nullopt;
    }
    return messages::ViewNotSaved(PathToUtf8(choice->file), saved.reason());
}

}  // namespace orvandel::win32
