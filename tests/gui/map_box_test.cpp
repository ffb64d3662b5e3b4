#include "gui/map_box.h"
#include "core/view/viewport_size.h"
#include "form_fixture.h"
#include "gui/kel_box.h"

namespace orvandel {
namespace {

using testing::FormTest;

// Counts paint events of one widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// Records presses that reach the form.
class PressCounter : public QObject {
public:
    explicit PressCounter(QWidget* widget) { widget->installEventFilter(this); }
    int presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        presses += event->type() == QEvent::MouseButtonPress ? 1 : 0;
        return false;
    }
};

QPoint CellCentre(const CMapBox& map, int x, int y) {
    const QRect grid = map.gridRect();
    const int s = map.gridLayout().cellSize;
    return grid.topLeft() + QPoint(x * s + s / 2, y * s + s / 2);
}

std::vector<std::uint8_t> ViewportBytes(CKelBox& box) {
    const CPaletteDib& dib = box.renderer().viewport();
    return {dib.GetBits(), dib.GetBits() + kViewportWidth * kViewportHeight};
}

TEST_F(FormTest, MapClickTogglesAtOnceAndRendersOnceAfterTheHandler) {
    CMapBox& map = view().mapBox();
    const auto before = ViewportBytes(view().previewBox());

    // The square straight ahead: floor, so the view changes when it becomes wall.
    QTest::mouseClick(&map, Qt::LeftButton, {}, CellCentre(map, 7, 6));
    EXPECT_EQ(map.map().Cell(7, 6), kWallCell);
    // The render is queued, not run inside the press.
    EXPECT_EQ(ViewportBytes(view().previewBox()), before);

    QApplication::processEvents();
    EXPECT_NE(ViewportBytes(view().previewBox()), before);
    EXPECT_EQ(readOut(), "---");

    QTest::mouseClick(&map, Qt::LeftButton, {}, CellCentre(map, 7, 6));
    QApplication::processEvents();
    EXPECT_EQ(map.map().Cell(7, 6), kFloorCell);
    EXPECT_EQ(ViewportBytes(view().previewBox()), before);
}

TEST_F(FormTest, DoubleClickTogglesTwiceAndCornersHitTheirCells) {
    CMapBox& map = view().mapBox();
    // What widgets receive for a double click: press, release, double click, release.
    QTest::mouseClick(&map, Qt::LeftButton, {}, CellCentre(map, 3, 3));
    QTest::mouseDClick(&map, Qt::LeftButton, {}, CellCentre(map, 3, 3));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, CellCentre(map, 3, 3));
    QApplication::processEvents();
    EXPECT_EQ(map.map().Cell(3, 3), kWallCell);

    const QRect grid = map.gridRect();
    QTest::mouseClick(&map, Qt::LeftButton, {}, grid.topLeft());
    EXPECT_EQ(map.map().Cell(0, 0), kWallCell);
    QTest::mouseClick(&map, Qt::LeftButton, {}, grid.bottomRight());
    EXPECT_EQ(map.map().Cell(15, 15), kWallCell);
    // Only the left button edits.
    QTest::mouseClick(&map, Qt::RightButton, {}, CellCentre(map, 1, 0));
    EXPECT_EQ(map.map().Cell(1, 0), kFloorCell);
}

TEST_F(FormTest, PressBesideTheGridChangesNothingAndReachesTheForm) {
    CMapBox& map = view().mapBox();
    PressCounter formPresses(&view());
    const auto cellsBefore = map.map().cells();

    const QRect grid = map.gridRect();
    ASSERT_GT(grid.left(), map.contentsRect().left()) << "the test needs a margin";
    QTest::mousePress(&map, Qt::LeftButton, {}, QPoint(grid.left() - 1, grid.center().y()));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, QPoint(grid.left() - 1, grid.center().y()));
    QTest::mouseClick(&map, Qt::LeftButton, {}, QPoint(grid.right() + 1, grid.top()));
    QApplication::processEvents();

    EXPECT_EQ(map.map().cells(), cellsBefore);
    EXPECT_EQ(formPresses.presses, 2);
}

TEST_F(FormTest, TurningRendersThePreviewButLeavesTheMapUnpainted) {
    QApplication::processEvents();
    PaintCounter mapPaints(&view().mapBox());
    PaintCounter previewPaints(&view().previewBox());
    Type(Qt::Key_9);
    QApplication::processEvents();
    EXPECT_EQ(mapPaints.paints, 0);
    EXPECT_GT(previewPaints.paints, 0);

    Type(Qt::Key_8);
    QApplication::processEvents();
    EXPECT_GT(mapPaints.paints, 0);
}

TEST_F(FormTest, MapShowsFloorWallAndTheMarkerOnTheViewersCell) {
    CMapBox& map = view().mapBox();
    const QImage shot = map.grab().toImage();
    // The grab holds device pixels; sample each at the device pixel under a widget point.
    const qreal ratio = shot.devicePixelRatio();
    auto colourAt = [&](QPoint point) {
        return shot.pixelColor((QPointF(point) * ratio).toPoint());
    };
    EXPECT_EQ(colourAt(CellCentre(map, 0, 0)), QColor(Qt::white));
    EXPECT_EQ(colourAt(CellCentre(map, 3, 3)), QColor(Qt::black));

    // The diamond's top corner sits on the top edge of cell (7, 7), halfway across.
    const QRect grid = map.gridRect();
    const int s = map.gridLayout().cellSize;
    EXPECT_EQ(colourAt(grid.topLeft() + QPoint(7 * s + s / 2, 7 * s)), QColor(255, 0, 0));
    EXPECT_EQ(colourAt(CellCentre(map, 7, 7)), QColor(Qt::white));
}

}  // namespace
}  // namespace orvandel
