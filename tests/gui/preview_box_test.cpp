#include <QPaintEvent>
#include <QtMath>

#include "core/view/view_renderer.h"
#include "core/view/viewport_size.h"
#include "core/wallset/load_wall_set.h"
#include "desk/window_model.h"
#include "form_fixture.h"
#include "gui/kel_box.h"
#include "gui/map_box.h"
#include "support/test_pictures.h"

namespace orvandel {
namespace {

using testing::FormTest;

const QColor kGray(128, 128, 128);

// Checks every pixel of the box's contents: inside the viewport rectangle each viewport pixel
// must be an exact scale x scale block of its colour, outside it everything is gray.
void ExpectShowsViewport(CKelBox& box, const CPaletteDib& expected) {
    const QImage shot = box.grab().toImage();
    const ViewportLayout layout = box.DeviceLayout();
    ASSERT_GT(layout.scale, 0);
    const auto table = expected.colourTable();
    // The grab holds device pixels: on a high-density screen several per widget pixel.
    const qreal ratio = shot.devicePixelRatio();
    const QRect logical = box.contentsRect();
    const QRect contents(QPoint(qCeil(logical.left() * ratio), qCeil(logical.top() * ratio)),
                         QPoint(qFloor((logical.right() + 1) * ratio) - 1,
                                qFloor((logical.bottom() + 1) * ratio) - 1));
    int mismatches = 0;
    for (int y = contents.top(); y <= contents.bottom() && mismatches < 5; ++y) {
        for (int x = contents.left(); x <= contents.right() && mismatches < 5; ++x) {
            QColor want = kGray;
            if (layout.rect.Contains(x, y)) {
                const int vx = (x - layout.rect.left) / layout.scale;
                const int vy = (y - layout.rect.top) / layout.scale;
                const std::uint8_t index = expected.GetBits()[static_cast<std::size_t>(
                    (kViewportHeight - 1 - vy) * kViewportWidth + vx)];
                const RgbQuad& entry = table[index];
                want = QColor(entry.red, entry.green, entry.blue);
            }
            if (shot.pixelColor(x, y) != want) {
                ++mismatches;
                ADD_FAILURE() << "pixel " << x << "," << y << " is "
                              << shot.pixelColor(x, y).name().toStdString() << ", want "
                              << want.name().toStdString();
            }
        }
    }
}

// The view the core composes on its own from the same files, map and switch.
class ExpectedView {
public:
    ExpectedView(const std::string& home, const MapState& map, bool evenOdd) {
        LoadWallSet(m_wallSet, WallSetDocument(), home);
        m_renderer.RenderView(m_wallSet, map, evenOdd);
    }
    const CPaletteDib& viewport() const { return m_renderer.viewport(); }

private:
    WallSet m_wallSet;
    ViewRenderer m_renderer;
};

TEST_F(FormTest, PreviewShowsTheCoresViewEnlargedOnGray) {
    CKelBox& box = view().previewBox();
    const MapState& map = view().mapBox().map();
    ExpectShowsViewport(box, ExpectedView(g_homeFolder, map, false).viewport());

    Type(Qt::Key_8);
    Type(Qt::Key_9);
    Type(Qt::Key_E);
    const ExpectedView turned(g_homeFolder, map, true);
    ASSERT_TRUE(std::equal(turned.viewport().GetBits(),
                           turned.viewport().GetBits() + kViewportWidth * kViewportHeight,
                           box.renderer().viewport().GetBits()));
    ExpectShowsViewport(box, turned.viewport());

    // A larger window: a larger whole scale, still exact blocks.
    const int scaleBefore = box.DeviceLayout().scale;
    frame.resize(frame.size() + QSize(500, 300));
    QApplication::processEvents();
    ASSERT_GT(box.DeviceLayout().scale, scaleBefore);
    ExpectShowsViewport(box, turned.viewport());
}

// Records the rectangles that paint events ask for.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

TEST_F(FormTest, RenderRepaintsOnlyTheViewportRectangle) {
    CKelBox& box = view().previewBox();
    QApplication::processEvents();
    PaintRecorder recorder(&box);
    Type(Qt::Key_9);
    QApplication::processEvents();
    const Rect view = box.DeviceLayout().rect;  // device and widget pixels agree offscreen
    EXPECT_EQ(recorder.painted, QRegion(view.left, view.top, view.width(), view.height()));
}

// A window system that answers nothing: enough for a box shown before any load.
class SilentDelegate final : public DeskDelegate {
public:
    MessageAnswer ShowMessage(const MessageRequest&) override { return MessageAnswer::Ok; }
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileQuestion&) override {
        return std::nullopt;
    }
    std::optional<std::filesystem::path> ChooseFileToSave(const FileQuestion&) override {
        return std::nullopt;
    }
    void Refresh(unsigned) override {}
    void Watch(const WatchList&) override {}
    void StartTimer(int) override {}
    void StopTimer() override {}
    std::int64_t NowMilliseconds() override { return 0; }
};

TEST(PreviewBoxTest, ShowsOnlyGrayBeforeTheFirstLoadOrWhenTooSmall) {
    WallSetSession session;
    SilentDelegate delegate;
    WindowModel model(session, delegate);
    CKelBox box(model);
    box.resize(500, 300);
    QImage shot = box.grab().toImage();
    const QRect contents = box.contentsRect();
    for (int y = contents.top(); y <= contents.bottom(); y += 7) {
        for (int x = contents.left(); x <= contents.right(); x += 7) {
            ASSERT_EQ(shot.pixelColor(x, y), kGray) << x << "," << y;
        }
    }
    EXPECT_FALSE(box.renderer().viewport().HasBitmap());

    model.InitialUpdate();
    box.resize(200, 300);
    shot = box.grab().toImage();
    EXPECT_EQ(box.DeviceLayout().scale, 0);
    EXPECT_EQ(shot.pixelColor(box.rect().center()), kGray);
}

TEST_F(FormTest, AReloadedPaletteReachesTheScreen) {
    CKelBox& box = view().previewBox();
    Palette16 other = testing::TestPalette();
    other[0] = MakeColour(1, 2, 3);
    const std::vector<Colour> colours(other.colours().begin(), other.colours().end());
    testing::WriteFileBytes(home / "wallpalette.pal", testing::MakeRiffPalette(colours));

    view().OnReload();
    EXPECT_EQ(box.wallSet().palette, other);
    EXPECT_EQ(box.renderer().viewport().colourTable()[0], (RgbQuad{3, 2, 1, 0}));
    ExpectShowsViewport(box, box.renderer().viewport());
}

}  // namespace
}  // namespace orvandel
