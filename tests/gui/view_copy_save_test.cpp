#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <optional>
#include <vector>

#include "core/common/message_texts.h"
#include "form_fixture.h"
#include "gui/gui_texts.h"
#include "gui/kel_box.h"
#include "gui/view_save_dialog.h"
#include "qtimage/palette_dib_image.h"

namespace orvandel::testing {
namespace {

// Answers "Save view as" from a script and records the scales it was offered.
class ScriptedSaveDialog final : public ViewSaveDialog {
public:
    explicit ScriptedSaveDialog(std::vector<std::optional<ViewSaveChoice>>& answers,
                                std::vector<int>& offered)
        : m_answers(answers), m_offered(offered) {}

    std::optional<ViewSaveChoice> Ask(QWidget*, const std::vector<int>& scales) override {
        m_offered = scales;
        std::optional<ViewSaveChoice> answer = m_answers.front();
        m_answers.erase(m_answers.begin());
        return answer;
    }

private:
    std::vector<std::optional<ViewSaveChoice>>& m_answers;
    std::vector<int>& m_offered;
};

QAction* PreviewAction(CKelBox& box, std::string_view caption) {
    for (QAction* action : box.actions()) {
        if (action->text().toStdString() == caption) {
            return action;
        }
    }
    return nullptr;
}

// Every pixel of `picture` is the viewport's pixel under it at `scale`.
void ExpectViewAtScale(const QImage& picture, const CPaletteDib& viewport, int scale) {
    const QImage view = PaletteDibToImage(viewport);
    ASSERT_EQ(picture.size(), view.size() * scale);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            ASSERT_EQ(picture.pixel(x, y), view.pixel(x / scale, y / scale)) << x << "," << y;
        }
    }
}

TEST_F(FormTest, PreviewMenuCopiesAndSavesTheViewAtOneOrTheShownScale) {
    CKelBox& box = view().previewBox();
    frame.resize(frame.size() + QSize(500, 300));
    QApplication::processEvents();
    const int shown = box.DeviceLayout().scale;
    ASSERT_GE(shown, 2);
    EXPECT_EQ(box.contextMenuPolicy(), Qt::ActionsContextMenu);
    QAction* copy = PreviewAction(box, messages::kCopyViewAction);
    QAction* save = PreviewAction(box, messages::kSaveViewAction);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(save, nullptr);
    const CPaletteDib& viewport = box.renderer().viewport();

    copy->trigger();
    ExpectViewAtScale(QGuiApplication::clipboard()->image(), viewport, shown);

    std::vector<std::optional<ViewSaveChoice>> answers = {
        ViewSaveChoice{home / "shown.png", PictureFormat::kPng, shown},
        ViewSaveChoice{home / "small.bmp", PictureFormat::kBmp, 1},
        std::nullopt,  // cancelled
        ViewSaveChoice{home / "missing" / "view.bmp", PictureFormat::kBmp, 1},
    };
    std::vector<int> offered;
    view().SetSaveDialog(std::make_unique<ScriptedSaveDialog>(answers, offered));

    save->trigger();
    EXPECT_EQ(offered, (std::vector<int>{1, shown}));
    ExpectViewAtScale(QImage(QString::fromStdString((home / "shown.png").string()), "PNG"),
                      viewport, shown);
    save->trigger();
    EXPECT_EQ(ReadFileBytes(home / "small.bmp"), viewport.EncodeBmp());
    save->trigger();
    EXPECT_TRUE(messages.shown.empty());

    save->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find((home / "missing" / "view.bmp").string()),
              std::string::npos)
        << messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
}

}  // namespace
}  // namespace orvandel::testing
