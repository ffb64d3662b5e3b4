#include "gui/map_box.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <tuple>

#include "desk/window_model.h"
#include "gui/form_layout.h"

namespace orvandel {

CMapBox::CMapBox(WindowModel& model, QWidget* parent) : QFrame(parent), m_model(model) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

const MapState& CMapBox::map() const {
    return m_model.map();
}

const GridLayout& CMapBox::gridLayout() const {
    return m_model.MapLayout();
}

QRect CMapBox::gridRect() const {
    return ToQRect(gridLayout().grid).translated(contentsRect().topLeft());
}

void CMapBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect contents = contentsRect();
    m_model.SetMapSize(contents.width(), contents.height());
    update();
}

void CMapBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    const GridLayout& layout = gridLayout();
    if (layout.cellSize <= 0) {
        return;
    }
    const MapState& cells = map();
    QPainter painter(this);
    painter.translate(contentsRect().topLeft());
    const QPen marker(QColor(255, 0, 0), 0);
    // One pass in row order: the marker goes on right after the viewer's cell, so cells painted
    // later cover whatever of it spills onto them.
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const bool floor = IsOpenFloor(cells.Cell(x, y));
            painter.fillRect(ToQRect(CellRect(layout, x, y)), floor ? Qt::white : Qt::black);
            if (x == cells.viewerX() && y == cells.viewerY()) {
                const auto corners = MarkerPoints(layout, x, y);
                std::array<QPoint, std::tuple_size_v<decltype(corners)>> points;
                for (std::size_t i = 0; i < corners.size(); ++i) {
                    points[i] = QPoint(corners[i].x, corners[i].y);
                }
                painter.setPen(marker);
                painter.drawPolyline(points.data(), static_cast<int>(points.size()));
            }
        }
    }
}

void CMapBox::mousePressEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint() - contentsRect().topLeft();
    if (event->button() == Qt::LeftButton && m_model.PressMap({point.x(), point.y()})) {
        event->accept();
        QMetaObject::invokeMethod(
            this, [this] { m_model.MapChanged(); }, Qt::QueuedConnection);
        return;
    }
    // Outside the grid the map is transparent to the mouse: the form gets the press.
    event->ignore();
}

void CMapBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double click flips the cell once more.
    mousePressEvent(event);
}

}  // namespace orvandel
