#pragma once

#include <QFrame>

#include "core/map/map_grid_layout.h"
#include "core/map/map_state.h"

namespace orvandel {

// The editable 16 x 16 test map with the viewer's square. A press on a cell flips it between
// wall and floor; the change is announced through a queued signal, so whoever re-renders does so
// after the press has been handled.
class CMapBox : public QFrame {
    Q_OBJECT

public:
    explicit CMapBox(QWidget* parent = nullptr);

    const MapState& map() const { return m_map; }
    MapState& map() { return m_map; }

    // Takes the cells of `cells`, keeping the viewer where it stands; repaints the grid.
    void TakeCells(const MapState& cells);
    // Back to the initial map and viewer.
    void Reset();

    // Walking repaints the grid; turning does not, since the marker ignores the facing.
    void Walk(int step);
    void Turn(int delta);

    // The grid's layout in the coordinates of the frame's contents.
    const GridLayout& gridLayout() const { return m_layout; }
    // The grid rectangle in widget coordinates.
    QRect gridRect() const;

signals:
    void mapChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void LayoutGrid();
    // True when the press hit a cell and flipped it.
    bool ToggleCellAt(QPoint widgetPoint);

    MapState m_map;
    GridLayout m_layout;
};

}  // namespace orvandel
