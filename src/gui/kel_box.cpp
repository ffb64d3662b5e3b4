#include "gui/kel_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <cstring>

#include "core/report/pixel_inspector.h"
#include "core/report/view_problems.h"
#include "core/view/viewport_size.h"
#include "gui/kel_doc.h"
#include "qtimage/palette_dib_image.h"

namespace orvandel {
namespace {

const QColor kGray(128, 128, 128);

// Every viewport pixel becomes an exact scale x scale block: no filtering of any kind.
QImage EnlargeExactly(const QImage& source, int scale) {
    QImage target(source.width() * scale, source.height() * scale, QImage::Format_Indexed8);
    target.setColorTable(source.colorTable());
    const auto width = static_cast<std::size_t>(target.width());
    for (int y = 0; y < source.height(); ++y) {
        const uchar* in = source.constScanLine(y);
        uchar* first = target.scanLine(y * scale);
        for (int x = 0; x < source.width(); ++x) {
            std::memset(first + static_cast<std::size_t>(x * scale), in[x],
                        static_cast<std::size_t>(scale));
        }
        for (int repeat = 1; repeat < scale; ++repeat) {
            std::memcpy(target.scanLine(y * scale + repeat), first, width);
        }
    }
    return target;
}

}  // namespace

CKelBox::CKelBox(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Painting covers the whole contents; nothing underneath needs drawing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The pixel inspector follows the pointer without a button held.
    setMouseTracking(true);
    m_actShowProblems = new QAction(QStringLiteral("Show problems"), this);
    m_actShowProblems->setCheckable(true);
    connect(m_actShowProblems, &QAction::toggled, this, [this] { update(); });
}

void CKelBox::AddProblemActions(QMenu& menu) {
    menu.addAction(m_actShowProblems);
}

QMenu* CKelBox::CreateContextMenu() {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    AddProblemActions(*menu);
    return menu;
}

void CKelBox::contextMenuEvent(QContextMenuEvent* event) {
    CreateContextMenu()->popup(event->globalPos());
}

QString CKelBox::InspectAt(QPoint widgetPoint) const {
    const ViewportLayout layout = DeviceLayout();
    if (m_pMap == nullptr || m_pDoc == nullptr || layout.scale <= 0) {
        return {};
    }
    const qreal ratio = devicePixelRatioF();
    const int deviceX = static_cast<int>(std::floor(widgetPoint.x() * ratio));
    const int deviceY = static_cast<int>(std::floor(widgetPoint.y() * ratio));
    if (!layout.rect.Contains(deviceX, deviceY)) {
        return {};
    }
    const int x = (deviceX - layout.rect.left) / layout.scale;
    const int y = (deviceY - layout.rect.top) / layout.scale;
    const PixelInspection inspection = InspectViewPixel(wallSet(), *m_pMap, m_bEvenOdd, x, y);
    return QString::fromStdString(InspectionText(inspection, m_pDoc->session().report()));
}

void CKelBox::mouseMoveEvent(QMouseEvent* event) {
    emit pixelInspected(InspectAt(event->position().toPoint()));
    QFrame::mouseMoveEvent(event);
}

void CKelBox::leaveEvent(QEvent* event) {
    emit pixelInspected(QString());
    QFrame::leaveEvent(event);
}

void CKelBox::PaintProblems(QPainter& painter, const QRect& view, int scale) const {
    const std::vector<ProblemMark> marks = MarkViewProblems(wallSet(), *m_pMap, m_bEvenOdd);
    QImage overlay(view.size(), QImage::Format_ARGB32_Premultiplied);
    overlay.fill(Qt::transparent);
    const auto argb = [](Colour colour) {
        return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
    };
    for (int y = 0; y < overlay.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(overlay.scanLine(y));
        for (int x = 0; x < overlay.width(); ++x) {
            const std::size_t at = static_cast<std::size_t>(y / scale) * kViewportWidth +
                                   static_cast<std::size_t>(x / scale);
            switch (marks[at]) {
                case ProblemMark::None:
                    break;
                case ProblemMark::Approximated:
                    row[x] = argb(kApproximatedMarkColour);
                    break;
                case ProblemMark::SeeThrough:
                    row[x] = argb(kSeeThroughMarkColour);
                    break;
                case ProblemMark::Missing:
                    if (IsHatchPixel(x, y)) {
                        row[x] = argb(kMissingMarkColour);
                    }
                    break;
            }
        }
    }
    painter.drawImage(view.topLeft(), overlay);
}

const WallSet& CKelBox::wallSet() const {
    static const WallSet empty;
    return m_pDoc != nullptr ? m_pDoc->session().wallSet() : empty;
}

void CKelBox::RenderView() {
    if (!m_pMap || !m_renderer.RenderView(wallSet(), *m_pMap, m_bEvenOdd)) {
        return;
    }
    const QRect view = LogicalViewRect();
    if (!view.isEmpty()) {
        update(view);
    }
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
    ViewportLayout layout = LayoutViewport(contents.width(), contents.height());
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

void CKelBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    // Work in device pixels so that the scale is whole on high-density screens too.
    const qreal ratio = devicePixelRatioF();
    painter.scale(1.0 / ratio, 1.0 / ratio);

    const QRect contents = DeviceContentsRect();
    const ViewportLayout layout = DeviceLayout();
    const QRect view(QPoint(layout.rect.left, layout.rect.top),
                     QSize(layout.rect.width(), layout.rect.height()));
    // As in a render, the viewport (and with it its colour table) may come into being here.
    const bool showView = !view.isEmpty() && m_pMap && m_renderer.EnsureViewport(wallSet().palette);

    if (!showView) {
        painter.fillRect(contents, kGray);
        return;
    }
    // Gray around the viewport: the bands above, below, left and right of it.
    painter.fillRect(
        QRect(contents.left(), contents.top(), contents.width(), view.top() - contents.top()),
        kGray);
    painter.fillRect(QRect(contents.left(), view.bottom() + 1, contents.width(),
                           contents.bottom() - view.bottom()),
                     kGray);
    painter.fillRect(
        QRect(contents.left(), view.top(), view.left() - contents.left(), view.height()), kGray);
    painter.fillRect(
        QRect(view.right() + 1, view.top(), contents.right() - view.right(), view.height()), kGray);
    painter.drawImage(view.topLeft(),
                      EnlargeExactly(PaletteDibToImage(m_renderer.viewport()), layout.scale));
    if (m_actShowProblems->isChecked()) {
        PaintProblems(painter, view, layout.scale);
    }
}

}  // namespace orvandel
