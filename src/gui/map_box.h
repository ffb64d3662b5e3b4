#pragma once

#include <QFrame>

#include "core/map/map_grid_layout.h"
#include "core/map/map_state.h"

namespace orvandel {

class WindowModel;

// The editable 16 x 16 test map with the viewer's square, painted from the window model. A press
// on a cell flips it between wall and floor at once; the render follows through a queued call,
// after the press has been handled.
class CMapBox : public QFrame {
    Q_OBJECT

public:
    CMapBox(WindowModel& model, QWidget* parent = nullptr);

    const MapState& map() const;
    // The grid's layout in the coordinates of the frame's contents.
    const GridLayout& gridLayout() const;
    // The grid rectangle in widget coordinates.
    QRect gridRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    WindowModel& m_model;
};

}  // namespace orvandel
