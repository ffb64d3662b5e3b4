#include "gui/map_box.h"

#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <tuple>

namespace orvandel {
namespace {

QRect ToQRect(const Rect& rect) {
    return QRect(QPoint(rect.left, rect.top), QSize(rect.width(), rect.height()));
}

}  // namespace

CMapBox::CMapBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    LayoutGrid();
}

void CMapBox::Walk(int step) {
    m_map.Walk(step);
    update(gridRect());
}

void CMapBox::Turn(int delta) {
    m_map.Turn(delta);
}

void CMapBox::TakeCells(const MapState& cells) {
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            m_map.SetCell(x, y, cells.Cell(x, y));
        }
    }
    update(gridRect());
}

void CMapBox::Reset() {
    m_map = MapState();
    update(gridRect());
}

QRect CMapBox::gridRect() const {
    return ToQRect(m_layout.grid).translated(contentsRect().topLeft());
}

void CMapBox::LayoutGrid() {
    const QRect contents = contentsRect();
    m_layout = orvandel::LayoutGrid(contents.width(), contents.height());
}

void CMapBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    LayoutGrid();
    update();
}

void CMapBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_layout.cellSize <= 0) {
        return;
    }
    QPainter painter(this);
    painter.translate(contentsRect().topLeft());
    const QPen marker(QColor(255, 0, 0), 0);
    // One pass in row order: the marker goes on right after the viewer's cell, so cells painted
    // later cover whatever of it spills onto them.
    for (int y = 0; y < kMapSize; ++y) {
        for (int x = 0; x < kMapSize; ++x) {
            const bool floor = IsOpenFloor(m_map.Cell(x, y));
            painter.fillRect(ToQRect(CellRect(m_layout, x, y)), floor ? Qt::white : Qt::black);
            if (x == m_map.viewerX() && y == m_map.viewerY()) {
                const auto corners = MarkerPoints(m_layout, x, y);
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

bool CMapBox::ToggleCellAt(QPoint widgetPoint) {
    const QPoint point = widgetPoint - contentsRect().topLeft();
    const auto cell = CellAtPoint(m_layout, point.x(), point.y());
    if (!cell) {
        return false;
    }
    m_map.ToggleCell(cell->x, cell->y);
    update(gridRect());
    QMetaObject::invokeMethod(this, &CMapBox::mapChanged, Qt::QueuedConnection);
    return true;
}

void CMapBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && ToggleCellAt(event->position().toPoint())) {
        event->accept();
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
