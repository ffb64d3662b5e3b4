#include "win32/view_picture.h"

#include <cstring>

#include "core/common/ascii.h"
#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/image/picture_format.h"
#include "core/image/png_writer.h"
#include "desk/desk_texts.h"
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
    // PNG first at each scale, then BMP, as the other desktop program offers them.
    struct Offer {
        PictureFormat format;
        int scale;
    };
    std::vector<Offer> offers;
    FileQuestion question{std::string(messages::kSaveViewTitle), {}};
    for (const PictureFormat format : {PictureFormat::kPng, PictureFormat::kBmp}) {
        const bool png = format == PictureFormat::kPng;
        for (const int scale : scales) {
            question.filters.push_back(
                {messages::SaveViewChoice(png ? "PNG" : "BMP", scale), png ? "*.png" : "*.bmp"});
            offers.push_back({format, scale});
        }
    }
    const auto choice = AskSaveFile(owner, question);
    if (!choice) {
        return std::nullopt;
    }
    const Offer offer = choice->filter < offers.size() ? offers[choice->filter] : offers.front();
    // A name the user ended in .png or .bmp is written in that format, whatever the filter.
    PictureFormat format = offer.format;
    const std::string extension = PathToUtf8(choice->file.extension());
    if (EqualsIgnoringAsciiCase(extension, ".png")) {
        format = PictureFormat::kPng;
    } else if (EqualsIgnoringAsciiCase(extension, ".bmp")) {
        format = PictureFormat::kBmp;
    }
    const std::unique_ptr<CPaletteDib> picture =
        ScaleViewPicture(viewport, ViewPictureAtScale(offer.scale));
    Status saved = Status::Fail(std::string(messages::kPictureHasNoPixels));
    if (picture) {
        saved = format == PictureFormat::kPng ? WritePaletteDibPng(*picture, choice->file)
                                              : picture->WriteBmpFile(choice->file);
    }
    if (saved) {
        return std::nullopt;
    }
    return messages::ViewNotSaved(PathToUtf8(choice->file), saved.reason());
}

}  // namespace orvandel::win32
