#include "gui/walk_button.h"

#include <QPainter>

namespace orvandel {

CWalkButton::CWalkButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    setFlat(true);
    setFocusPolicy(Qt::StrongFocus);
}

void CWalkButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::Dark), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
    }
}

}  // namespace orvandel
