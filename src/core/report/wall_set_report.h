#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/image/match_tally.h"
#include "core/image/palette16.h"
#include "core/view/piece_coverage.h"
#include "core/view/view_cell_table.h"
#include "core/wallset/load_wall_set.h"
#include "core/wallset/wall_set.h"
#include "core/wallset/wall_set_lint.h"

namespace orvandel {

// What the load did to one of the six pictures.
struct PictureReport {
    int slot = 0;
    std::string key;             // "0084"
    std::string name;            // as the wall-set file (or the default) gives it
    std::filesystem::path path;  // the file the name resolved to; empty when none was found
    bool loaded = false;
    bool missing = false;  // failed because no file has that name (or the name is empty)
    // The palette failed, but the picture itself was read and decoded: its size and depth are
    // known, its colours could not be matched. Not a failure of the picture.
    bool decodedWithoutPalette = false;
    std::string reason;  // why it did not load; empty when it did
    // Of the file; 0 when the picture did not load.
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    // The smallest size for which every piece drawn from this slot, in either form, covers its
    // whole rectangle. It depends on the table alone.
    int neededWidth = 0;
    int neededHeight = 0;
    std::uint32_t approximatedPixels = 0;
    std::uint32_t seeThroughPixels = 0;
    // Every approximated colour with its exact count, most pixels first, then by colour; only
    // filled by ListApproximatedColours, since a load must not pay for it.
    std::vector<ApproximatedColour> approximatedColours;
    bool coloursListed = false;

    bool TooSmall() const { return loaded && (width < neededWidth || height < neededHeight); }
};

// One of the 28 piece forms and what its picture covers of its rectangle.
struct PieceReport {
    int row = 0;
    bool alternate = false;
    PieceForm form{};
    bool emptySlot = false;      // slot 6: the game never draws this form
    bool pictureLoaded = false;  // false also for the empty slot
    PieceCoverage coverage;      // only meaningful when the picture loaded

    bool covered() const { return pictureLoaded && coverage.CoversAll(); }
};

inline constexpr int kPieceFormCount = 2 * kViewCellCount;

// Everything `check`, the status line and the overlays tell the artist about a loaded wall set.
struct WallSetReport {
    bool paletteLoaded = false;
    std::string paletteReason;
    std::filesystem::path palettePath;  // where the palette was found or looked for
    Palette16 palette;
    std::array<PictureReport, 6> pictures;
    std::array<PieceReport, kPieceFormCount> pieces;  // table order, own form before alternate
    std::vector<LintWarning> wallSetFileWarnings;     // lines of the .Pelorim the reader ignores

    int FailedFiles() const;
    int UncoveredPieces() const;  // of loaded pictures; the empty slot does not count
    int ApproximatedPictures() const;
    int SeeThroughPictures() const;
    // The verdict of `check --strict` and `export --strict`: everything loaded, covered and
    // exactly in the palette, and nothing in the wall-set file passed over.
    bool StrictOk() const;
};

// The needed size of a slot's picture: the largest of its forms' needs.
struct NeededSize {
    int width = 0;
    int height = 0;
};
NeededSize NeededSizeOfSlot(int slot);

// Collects the report from a load that just ran: the counts are those its matching made.
WallSetReport BuildWallSetReport(const WallSet& wallSet, const LoadReport& load,
                                 std::vector<LintWarning> wallSetFileWarnings = {});

// Fills every loaded picture's complete list of approximated colours from the wall set the
// report was built from (`check`, its JSON and the problems panel ask for it).
void ListApproximatedColours(WallSetReport& report, const WallSet& wallSet);

}  // namespace orvandel
