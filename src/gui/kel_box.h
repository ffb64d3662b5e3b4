#pragma once

#include <QFrame>
#include <QImage>
#include <string>

#include "core/map/map_state.h"
#include "core/view/view_renderer.h"
#include "core/view/viewport_layout.h"
#include "core/wallset/wall_set.h"

class QAction;
class QMenu;

namespace orvandel {

class CKelDoc;

// The preview: composes the first-person view from the linked document's wall set and the linked
// map, and shows it at the largest whole scale that fits, in device pixels, centred on gray.
class CKelBox : public QFrame {
    Q_OBJECT

public:
    explicit CKelBox(QWidget* parent = nullptr);

    // Links, not owned. Nothing is rendered or shown before a map is linked.
    void SetMap(const MapState* map) { m_pMap = map; }
    void SetDocument(const CKelDoc* document) { m_pDoc = document; }
    void SetEvenOdd(bool on) { m_bEvenOdd = on; }
    bool evenOdd() const { return m_bEvenOdd; }

    // Recomposes the viewport and repaints just the part of the box that shows it.
    void RenderView();

    // The linked document's wall set; an empty one before a document is linked.
    const WallSet& wallSet() const;
    const ViewRenderer& renderer() const { return m_renderer; }
    // Where the viewport is shown, in device pixels of the widget, and at which scale.
    ViewportLayout DeviceLayout() const;

    // The preview's context menu, as right-clicking shows it.
    QMenu* CreateContextMenu();
    QAction& showProblemsAction() { return *m_actShowProblems; }
    // What lies under a point of the widget, for the artist; empty outside the viewport.
    QString InspectAt(QPoint widgetPoint) const;

signals:
    // The pixel inspector's line for the pixel under the pointer; empty when it left the view.
    void pixelInspected(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect DeviceContentsRect() const;
    // The viewport rectangle in widget coordinates, rounded outwards.
    QRect LogicalViewRect() const;
    // "Show problems": marks approximated, see-through and missing pixels over the view.
    void AddProblemActions(QMenu& menu);
    void PaintProblems(QPainter& painter, const QRect& view, int scale) const;

    ViewRenderer m_renderer;
    const MapState* m_pMap = nullptr;
    bool m_bEvenOdd = false;
    const CKelDoc* m_pDoc = nullptr;
    QAction* m_actShowProblems = nullptr;
};

}  // namespace orvandel
