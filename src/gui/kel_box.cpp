#include "gui/kel_box.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "desk/window_model.h"
#include "gui/qt_text.h"

namespace orvandel {

CKelBox::CKelBox(WindowModel& model, QWidget* parent) : QFrame(parent), m_model(model) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Painting covers the whole contents; nothing underneath needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The pixel inspector follows the pointer without a button held.
    setMouseTracking(true);
}

bool CKelBox::evenOdd() const {
    return m_model.evenOdd();
}

const WallSet& CKelBox::wallSet() const {
    return m_model.session().wallSet();
}

const ViewRenderer& CKelBox::renderer() const {
    return m_model.renderer();
}

QRect CKelBox::DeviceContentsRect() const {
    const qreal ratio = devicePixelRatioF();
    const QRect contents = contentsRect();
    const int left = static_cast<int>(std::ceil(contents.left() * ratio));
    const int top = static_cast<int>(std::ceil(contents.top() * ratio));
    const int right = static_cast<int>(std::floor((contents.right() + 1) * ratio));
    const int bottom = static_cast<int>(std::floor((contents.bottom() + 1) * ratio));
    return QRect(QPoint(left, top), QSize(std::max(0, right - left), std::max(0, bottom - top)));
}

ViewportLayout CKelBox::DeviceLayout() const {
    const QRect contents = DeviceContentsRect();
    ViewportLayout layout = m_model.PreviewLayout();
    layout.rect.left += contents.left();
    layout.rect.right += contents.left();
    layout.rect.top += contents.top();
    layout.rect.bottom += contents.top();
    return layout;
}

QRect CKelBox::LogicalViewRect() const {
    const Rect device = DeviceLayout().rect;
    if (device.IsEmpty()) {
        return {};
    }
    const qreal ratio = devicePixelRatioF();
    const int left = static_cast<int>(std::floor(device.left / ratio));
    const int top = static_cast<int>(std::floor(device.top / ratio));
    const int right = static_cast<int>(std::ceil(device.right / ratio));
    const int bottom = static_cast<int>(std::ceil(device.bottom / ratio));
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

QPoint CKelBox::DevicePoint(QPoint widgetPoint) const {
    const qreal ratio = devicePixelRatioF();
    const QRect contents = DeviceContentsRect();
    return QPoint(static_cast<int>(std::floor(widgetPoint.x() * ratio)) - contents.left(),
                  static_cast<int>(std::floor(widgetPoint.y() * ratio)) - contents.top());
}

QString CKelBox::InspectAt(QPoint widgetPoint) {
    const QPoint device = DevicePoint(widgetPoint);
    m_model.PointerAt(Point{device.x(), device.y()});
    return ToQString(m_model.InspectorText());
}

void CKelBox::mouseMoveEvent(QMouseEvent* event) {
    InspectAt(event->position().toPoint());
    QFrame::mouseMoveEvent(event);
}

void CKelBox::leaveEvent(QEvent* event) {
    m_model.PointerAt(std::nullopt);
    QFrame::leaveEvent(event);
}

void CKelBox::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect contents = DeviceContentsRect();
    m_model.SetPreviewSize(contents.width(), contents.height());
    update();
}

void CKelBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    // Work in device pixels so that the scale is whole on high-density screens too.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1.0 / ratio, 1.0 / ratio);

    const QRect contents = DeviceContentsRect();
    const Rect at = DeviceLayout().rect;
    const QRect view(QPoint(at.left, at.top), QSize(at.width(), at.height()));
    const ScreenPicture& picture = m_model.PreviewPicture();
    const QColor gray(RedOf(kPreviewBackground), GreenOf(kPreviewBackground),
                      BlueOf(kPreviewBackground));
    if (view.isEmpty() || picture.pixels.empty()) {
        painter.fillRect(contents, gray);
        return;
    }
    // Gray around the viewport: the bands above, below, left and right of it.
    painter.fillRect(
        QRect(contents.left(), contents.top(), contents.width(), view.top() - contents.top()),
        gray);
    painter.fillRect(QRect(contents.left(), view.bottom() + 1, contents.width(),
                           contents.bottom() - view.bottom()),
                     gray);
    painter.fillRect(
        QRect(contents.left(), view.top(), view.left() - contents.left(), view.height()), gray);
    painter.fillRect(
        QRect(view.right() + 1, view.top(), contents.right() - view.right(), view.height()), gray);
    // The model's pixels as they are: no copy, no conversion, no filtering.
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                       picture.height, static_cast<qsizetype>(picture.width) * 4,
                       QImage::Format_RGB32);
    painter.drawImage(view.topLeft(), image);
}

}  // namespace orvandel
