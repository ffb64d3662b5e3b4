#pragma once

#include <QFrame>
#include <QRect>
#include <QString>

#include "core/view/view_renderer.h"
#include "core/view/viewport_layout.h"
#include "core/wallset/wall_set.h"

namespace orvandel {

class WindowModel;

// The preview: shows the window model's picture of the view at the largest whole scale that
// fits, in device pixels, centred on gray, and tells the model where the pointer is.
class CKelBox : public QFrame {
    Q_OBJECT

public:
    CKelBox(WindowModel& model, QWidget* parent = nullptr);

    bool evenOdd() const;
    const WallSet& wallSet() const;
    const ViewRenderer& renderer() const;
    // Where the viewport is shown, in device pixels of the widget, and at which scale.
    ViewportLayout DeviceLayout() const;
    // The viewport rectangle in widget coordinates, rounded outwards.
    QRect LogicalViewRect() const;

    // What lies under a point of the widget, for the artist; empty outside the viewport. Also
    // makes it the inspector's point.
    QString InspectAt(QPoint widgetPoint);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QRect DeviceContentsRect() const;
    QPoint DevicePoint(QPoint widgetPoint) const;

    WindowModel& m_model;
};

}  // namespace orvandel
