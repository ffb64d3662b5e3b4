#include "core/view/view_cell_table.h"

namespace orvandel {

namespace {

// Rows are fixed by the table; an index outside it is a caller's bug, so at() rather than [].
const ViewCell& RowAt(int row) {
    return kViewCellTable.at(static_cast<std::size_t>(row));
}

}  // namespace

PieceForm OwnForm(int row) {
    const ViewCell& cell = RowAt(row);
    return PieceForm{cell.left,    cell.top,     cell.right, cell.bottom,
                     cell.sourceX, cell.sourceY, cell.slot,  cell.mirrored};
}

PieceForm AlternateForm(int row) {
    const ViewCell& cell = RowAt(row);
    PieceForm form = OwnForm(row);
    if (cell.alternate < 0) {
        return form;
    }
    const ViewCell& other = RowAt(cell.alternate);
    form.sourceX = other.sourceX;
    form.sourceY = other.sourceY;
    form.slot = other.slot;
    // The flip is relative to this row: an alternate is always the mirror of what it replaces.
    form.mirrored = !cell.mirrored;
    return form;
}

Point ViewSquare(int x, int y, Direction d, int row) {
    const ViewCell& cell = RowAt(row);
    const auto ahead = static_cast<std::size_t>(d & 3);
    const auto right = static_cast<std::size_t>(RightOf(d));
    return Point{x + cell.lateral * DX[right] + cell.forward * DX[ahead],
                 y + cell.lateral * DY[right] + cell.forward * DY[ahead]};
}

}  // namespace orvandel
