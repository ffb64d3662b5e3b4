#include "core/image/indexed_image.h"

#include <array>
#include <limits>
#include <new>
#include <optional>
#include <string>

#include "core/common/message_texts.h"
#include "core/image/color_octree.h"
#include "core/image/palette_matching.h"
#include "core/image/picture_decoder.h"

namespace orvandel {

std::uint8_t MatchColour(const Palette16& palette, Colour colour) {
    return CColorOctree::FromPalette(palette).Lookup(colour);
}

bool CIndexedImage::Init(std::int32_t width, std::int32_t height) {
    // Negative sizes and products beyond the buffer's reach are refused along with empty ones.
    if (width <= 0 || height <= 0) {
        return false;
    }
    const auto product = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (product > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    if (!m_pixels.Resize(static_cast<std::uint32_t>(product))) {
        return false;
    }
    m_width = width;
    m_height = height;
    return true;
}

std::uint8_t CIndexedImage::GetIndex(int x, int y) const {
    if (m_pixels.data() == nullptr || x < 0 || y < 0) {
        return 0;
    }
    const std::size_t position = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                                 static_cast<std::size_t>(x);
    return position < m_pixels.size() ? m_pixels.data()[position] : 0;
}

std::optional<Colour> CIndexedImage::FileColourAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return std::nullopt;
    }
    const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                           static_cast<std::size_t>(x);
    if (at < m_fileColours.size()) {
        return m_fileColours[at] & 0xFFFFFFu;
    }
    if (at < m_fileEntries.size() && m_fileEntries[at] < m_fileTable.size()) {
        return m_fileTable[m_fileEntries[at]] & 0xFFFFFFu;
    }
    return std::nullopt;
}

Status CIndexedImage::LoadFromFile(const std::filesystem::path& fileName) {
    // An emptied image lends its last file colours' memory to the next picture, as it does its
    // pixels', so a reload does not fault in fresh pages for them.
    std::vector<Colour> fileColours;
    const bool reuse = IsEmpty();
    if (reuse) {
        fileColours.swap(m_fileColours);
    }
    TrueColourRows rows(*this, m_palette, &fileColours);
    DecodeResult decoded = DecodePictureFile(fileName, &rows);
    if (reuse && !rows.begun()) {
        fileColours.clear();
        fileColours.swap(m_fileColours);
    }
    if (!decoded.picture) {
        m_loadInfo = PictureLoadInfo{};
        return Status::Fail(std::move(decoded.reason));
    }
    if (!rows.begun()) {
        return LoadFromPicture(*decoded.picture);
    }
    const DecodedPicture& picture = *decoded.picture;
    m_loadInfo = PictureLoadInfo{picture.bitsPerPixel,
                                 picture.width,
                                 picture.height,
                                 rows.counts().approximated,
                                 rows.counts().transparent,
                                 rows.counts().seeThrough};
    m_fileColours = std::move(fileColours);
    m_fileTable.clear();
    m_fileEntries.clear();
    return Status::Ok();
}

Status CIndexedImage::LoadFromPicture(const DecodedPicture& picture) {
    m_loadInfo = PictureLoadInfo{};
    m_loadInfo.bitsPerPixel = picture.bitsPerPixel;
    m_loadInfo.sourceWidth = picture.width;
    m_loadInfo.sourceHeight = picture.height;
    if (static_cast<std::uint32_t>(picture.width) > kMaxPictureWidth) {
        return Status::Fail(messages::TooWide(picture.width, kMaxPictureWidth));
    }
    if (static_cast<std::uint32_t>(picture.height) > kMaxPictureHeight) {
        return Status::Fail(messages::TooTall(picture.height, kMaxPictureHeight));
    }
    const int depth = picture.bitsPerPixel;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24) {
        return Status::Fail(messages::UnsupportedDepth(depth));
    }
    if (picture.width == 0 || picture.height == 0) {
        return Status::Fail("empty picture");
    }
    const auto pixelCount =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (!IsConsistent(picture, pixelCount)) {
        return Status::Fail("malformed picture");
    }
    // Everything that can fail comes before Init, so that a failure leaves the image as it was.
    std::optional<PictureMatching> matching;
    std::vector<Colour> fileTable;
    std::vector<std::uint8_t> fileEntries;
    std::vector<Colour> fileColours;
    try {
        matching.emplace(picture, m_palette);
        fileTable = picture.colourTable;
        fileEntries = picture.indices;
        fileColours = picture.pixels;
    } catch (const std::bad_alloc&) {
        return Status::Fail("out of memory");
    }
    if (!Init(picture.width, picture.height)) {
        return Status::Fail("out of memory");
    }
    const MatchCounts counts = matching->WriteIndices(m_pixels.data());
    m_loadInfo.approximatedPixels = counts.approximated;
    m_loadInfo.transparentPixels = counts.transparent;
    m_loadInfo.seeThroughPixels = counts.seeThrough;
    m_fileTable = std::move(fileTable);
    m_fileEntries = std::move(fileEntries);
    m_fileColours = std::move(fileColours);
    return Status::Ok();
}

std::vector<ApproximatedColour> CIndexedImage::ApproximatedColours() const {
    if (m_loadInfo.approximatedPixels == 0 || IsEmpty()) {
        return {};
    }
    const auto count = static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height);
    MatchTally tally(m_palette);
    if (m_fileColours.size() == count) {
        tally.AddRun(m_fileColours.data(), m_pixels.data(), count);
    } else if (m_fileEntries.size() == count) {
        // Every pixel of one table entry became the same index: count the entries, then
        // tally each once.
        std::array<std::uint64_t, 256> used{};
        std::array<std::uint8_t, 256> indexOfEntry{};
        for (std::size_t at = 0; at < count; ++at) {
            ++used[m_fileEntries[at]];
            indexOfEntry[m_fileEntries[at]] = m_pixels.data()[at];
        }
        for (std::size_t entry = 0; entry < m_fileTable.size() && entry < used.size(); ++entry) {
            tally.AddColour(m_fileTable[entry], indexOfEntry[entry], used[entry]);
        }
    }
    return tally.Colours();
}

void CIndexedImage::Clear() {
    m_fileTable.clear();
    m_fileEntries.clear();
    m_fileColours.clear();
    m_pixels.Empty();
    m_width = 0;
    m_height = 0;
}

void CIndexedImage::Release() {
    m_fileTable = {};
    m_fileEntries = {};
    m_fileColours = {};
    m_pixels.Resize(0);
    m_width = 0;
    m_height = 0;
}

}  // namespace orvandel
