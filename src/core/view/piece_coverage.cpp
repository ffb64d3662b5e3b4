#include "core/view/piece_coverage.h"

#include <algorithm>

#include "core/image/palette_dib.h"
#include "core/view/viewport_size.h"

namespace orvandel {

namespace {

// Adds `value` to the runs, extending the last run when it continues it.
void AppendToRuns(std::vector<PixelRun>& runs, int value) {
    if (!runs.empty() && runs.back().last + 1 == value) {
        runs.back().last = value;
        return;
    }
    runs.push_back({value, value});
}

int CoveredCount(const std::vector<PixelRun>& runs, int first, int last) {
    int empty = 0;
    for (const PixelRun& run : runs) {
        empty += run.last - run.first + 1;
    }
    return (last - first + 1) - empty;
}

}  // namespace

bool PieceCoverage::DrawsNothing() const {
    return !HasPixels() || CoveredCount(emptyColumns, left, right) == 0 ||
           CoveredCount(emptyRows, top, bottom) == 0;
}

PieceCoverage ComputePieceCoverage(const PieceForm& form, int imageWidth, int imageHeight) {
    PieceCoverage coverage;
    coverage.left = std::max(form.left, 0);
    coverage.top = std::max(form.top, 0);
    coverage.right = std::min(form.right, kViewportWidth - 1);
    coverage.bottom = std::min(form.bottom, kViewportHeight - 1);
    if (!coverage.HasPixels()) {
        coverage.right = coverage.left - 1;
        coverage.bottom = coverage.top - 1;
        return coverage;
    }

    const int span = form.right - form.left;
    // Piece column j reaches the rectangle when j < width and its source column lies in the
    // image; piece row i likewise, and rows are never mirrored.
    for (int x = coverage.left; x <= coverage.right; ++x) {
        const int j = x - form.left;
        const int sourceColumn = form.mirrored ? form.sourceX + span - j : form.sourceX + j;
        if (!(j < imageWidth && sourceColumn >= 0 && sourceColumn < imageWidth)) {
            AppendToRuns(coverage.emptyColumns, x);
        }
    }
    for (int y = coverage.top; y <= coverage.bottom; ++y) {
        const int i = y - form.top;
        const int sourceRow = form.sourceY + i;
        if (!(i < imageHeight && sourceRow >= 0 && sourceRow < imageHeight)) {
            AppendToRuns(coverage.emptyRows, y);
        }
    }

    // Every piece column j needs width > j and width > its source column; the largest of
    // these over the visible columns is the width that reaches them all.
    const int firstJ = coverage.left - form.left;
    const int lastJ = coverage.right - form.left;
    const int lowestSource = form.mirrored ? form.sourceX + span - lastJ : form.sourceX + firstJ;
    const int highestSource = form.mirrored ? form.sourceX + span - firstJ : form.sourceX + lastJ;
    if (lowestSource >= 0) {
        coverage.neededWidth = std::max(lastJ, highestSource) + 1;
    }
    const int firstI = coverage.top - form.top;
    const int lastI = coverage.bottom - form.top;
    if (form.sourceY + firstI >= 0) {
        coverage.neededHeight = std::max(lastI, form.sourceY + lastI) + 1;
    }
    return coverage;
}

}  // namespace orvandel
