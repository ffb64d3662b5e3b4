#include <QCheckBox>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <algorithm>
#include <filesystem>

#include "core/common/message_texts.h"
#include "core/wallset/wallset_keys.h"
#include "form_fixture.h"
#include "gui/kel_box.h"
#include "gui/map_box.h"
#include "gui/problems_panel.h"

namespace orvandel {
namespace {

using testing::FormTest;

std::string Str(std::string_view text) {
    return std::string(text);
}

std::size_t FilesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST_F(FormTest, WindowIsTitledOrvandelWithTheTemplateCaptionsAndNothingElse) {
    EXPECT_EQ(frame.windowTitle(), "Orvandel");
    EXPECT_EQ(frame.menuWidget(), nullptr);
    EXPECT_TRUE(frame.findChildren<QToolBar*>().isEmpty());
    // The one bar is the status line, and with a sound wall set it says nothing.
    EXPECT_EQ(frame.findChildren<QStatusBar*>().size(), 1);
    EXPECT_TRUE(frame.summaryLabel().text().isEmpty());

    const std::vector<std::pair<FormControl, QString>> captions = {
        {FormControl::TurnLeft, "Turn left &7"},
        {FormControl::MoveForward, "Move forward &8"},
        {FormControl::TurnRight, "Turn right &9"},
        {FormControl::MoveLeft, "Move left &4"},
        {FormControl::MoveBack, "Move back &5"},
        {FormControl::MoveRight, "Move right &6"},
        {FormControl::EvenOdd, "Enable &Even/Odd simulation"},
        {FormControl::Reload, "Reload palette and bitmap files"},
        {FormControl::Export, "Export Pelorim for Vantrelle"},
    };
    for (const auto& [control, caption] : captions) {
        EXPECT_EQ(view().control(control).text(), caption);
    }
    EXPECT_EQ(readOut(), "---");
    bool noteFound = false;
    for (const QLabel* label : view().findChildren<QLabel*>()) {
        noteFound |= label->text() == "* Click the above tile to swap wall and floor.";
    }
    EXPECT_TRUE(noteFound);
    // A complete wall set loads without a word.
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FormTest, ReadOutFollowsForwardAndTurns) {
    Type(Qt::Key_8);
    EXPECT_EQ(readOut(), "(7,6,N)");
    Type(Qt::Key_9);
    EXPECT_EQ(readOut(), "(7,6,E)");
    Type(Qt::Key_9);
    EXPECT_EQ(readOut(), "(7,6,S)");
    Type(Qt::Key_7);
    EXPECT_EQ(readOut(), "(7,6,E)");
}

TEST_F(FormTest, EveryKeyReachesItsActionFromMainKeyboardAndKeypad) {
    // Facing north from (7, 7): 4 left, 6 right, 5 back, 8 forward.
    const std::vector<std::pair<Qt::Key, QString>> steps = {
        {Qt::Key_4, "(6,7,N)"}, {Qt::Key_6, "(7,7,N)"}, {Qt::Key_5, "(7,8,N)"},
        {Qt::Key_8, "(7,7,N)"}, {Qt::Key_7, "(7,7,W)"}, {Qt::Key_9, "(7,7,N)"},
    };
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::KeypadModifier}) {
        for (const auto& [key, expected] : steps) {
            Type(key, modifiers);
            EXPECT_EQ(readOut(), expected) << "key " << key << " modifiers " << modifiers;
        }
    }

    // Control or Alt with a digit is not a walk key (Alt goes through the mnemonic instead).
    Type(Qt::Key_8, Qt::ControlModifier);
    EXPECT_EQ(frame.view().mapBox().map().viewerY(), 7);
}

TEST_F(FormTest, KeyEFlipsTheSimulationAndRewritesTheReadOut) {
    auto& check = dynamic_cast<QCheckBox&>(view().control(FormControl::EvenOdd));
    Type(Qt::Key_E);
    EXPECT_TRUE(check.isChecked());
    EXPECT_TRUE(view().previewBox().evenOdd());
    EXPECT_EQ(readOut(), "(7,7,N)");  // rewritten although nothing moved
    Type(Qt::Key_E, Qt::ShiftModifier);
    EXPECT_FALSE(check.isChecked());
    EXPECT_FALSE(view().previewBox().evenOdd());
}

TEST_F(FormTest, ButtonsActOnMouseClicks) {
    QTest::mouseClick(&view().control(FormControl::MoveForward), Qt::LeftButton);
    EXPECT_EQ(readOut(), "(7,6,N)");
    QTest::mouseClick(&view().control(FormControl::TurnRight), Qt::LeftButton);
    EXPECT_EQ(readOut(), "(7,6,E)");
    QTest::mouseClick(&view().control(FormControl::MoveRight), Qt::LeftButton);
    EXPECT_EQ(readOut(), "(7,7,E)");
    QTest::mouseClick(&view().control(FormControl::EvenOdd), Qt::LeftButton);
    EXPECT_TRUE(view().previewBox().evenOdd());
}

TEST_F(FormTest, TabFollowsTheTemplateAndF6DoesNothing) {
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    view().control(FormControl::TurnLeft).setFocus();
    const std::vector<FormControl> order = {
        FormControl::MoveForward, FormControl::TurnRight, FormControl::MoveLeft,
        FormControl::MoveBack,    FormControl::MoveRight, FormControl::EvenOdd,
        FormControl::Reload,      FormControl::Export,    FormControl::TurnLeft,
    };
    for (const FormControl next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        // The problems panel below the form comes after the form's last control.
        if (next == FormControl::TurnLeft) {
            EXPECT_EQ(QApplication::focusWidget(), &frame.problemsPanel());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(QApplication::focusWidget(), &view().control(next))
            << "expected control " << static_cast<int>(next);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &frame.problemsPanel());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &view().control(FormControl::Export));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &view().control(FormControl::Export));
    EXPECT_EQ(readOut(), "---");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(FormTest, TheExportButtonAsksAndWritesTheTwentyEightPiecesIntoTheHomeFolder) {
    messages.answers = {MessageAnswer::Yes};
    QTest::mouseClick(&view().control(FormControl::Export), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[1].text, "export finished");
    EXPECT_EQ(FilesIn(home.path()), 7u + 28u);
}

TEST_F(FormTest, ReloadReportsFailedPicturesAndKeepsMapViewerAndSwitch) {
    Type(Qt::Key_8);
    Type(Qt::Key_E);
    ClickCell(0, 0);
    QApplication::processEvents();
    std::filesystem::remove(testing::TestPicturePath(home.path(), 2));
    std::filesystem::remove(testing::TestPicturePath(home.path(), 4));

    QTest::mouseClick(&view().control(FormControl::Reload), Qt::LeftButton);

    ASSERT_EQ(messages.shown.size(), 1u);
    const MessageRequest& box = messages.shown[0];
    EXPECT_EQ(box.caption, "Orvandel");
    EXPECT_EQ(box.icon, MessageIcon::Warning);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.text, Str(messages::kBitmapsFailedHeading) + kWallSetKeys[2].defaultName + "\n" +
                            kWallSetKeys[4].defaultName + "\n");
    EXPECT_NE(box.details.find(kWallSetKeys[2].defaultName), std::string::npos);
    EXPECT_TRUE(view().previewBox().wallSet().images[2].IsEmpty());
    EXPECT_FALSE(view().previewBox().wallSet().images[3].IsEmpty());

    EXPECT_EQ(readOut(), "(7,6,N)");
    EXPECT_EQ(view().mapBox().map().Cell(0, 0), kWallCell);
    EXPECT_TRUE(view().previewBox().evenOdd());
}

TEST_F(FormTest, OpeningOtherWallSetsKeepsStateAndARefusedFileKeepsTheDocument) {
    Type(Qt::Key_9);
    testing::WriteFileText(home / "broken.Pelorim", "[BMP]\n0086=missing.bmp\n");
    ASSERT_TRUE(frame.OpenDocument(QString::fromStdString((home / "broken.Pelorim").string())));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, Str(messages::kBitmapsFailedHeading) + "missing.bmp\n");
    EXPECT_EQ(document.path(), home / "broken.Pelorim");
    EXPECT_EQ(readOut(), "(7,7,E)");
    EXPECT_EQ(frame.windowTitle(), "Orvandel");

    EXPECT_FALSE(frame.OpenDocument(QString::fromStdString((home / "absent.Pelorim").string())));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_NE(messages.shown[1].text.find("absent.Pelorim"), std::string::npos);
    EXPECT_EQ(document.path(), home / "broken.Pelorim");
}

TEST_F(FormTest, DroppedFilesOpenInTurnAndTheLastOneThatOpensStays) {
    testing::WriteFileText(home / "first.Pelorim", "[BMP]\n");
    testing::WriteFileText(home / "second.Pelorim", "[BMP]\n");
    frame.resize(frame.size() + QSize(100, 60));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString((home / "first.Pelorim").string())),
                  QUrl::fromLocalFile(QString::fromStdString((home / "second.Pelorim").string())),
                  QUrl::fromLocalFile(QString::fromStdString((home / "gone.Pelorim").string()))});
    // As a real drag delivers it: entering first, then the drop itself.
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &drop);

    EXPECT_EQ(document.path(), home / "second.Pelorim");
    ASSERT_EQ(messages.shown.size(), 1u);  // only the file that could not be opened
    // Each open fits the window to the form again.
    EXPECT_EQ(frame.size(), frame.FittedSize());
}

TEST_F(FormTest, EnlargedWindowGrowsPreviewAndMapAtWholeScales) {
    const ViewportLayout small = view().previewBox().DeviceLayout();
    const int smallCell = view().mapBox().gridLayout().cellSize;
    frame.resize(frame.size() * 2);
    QApplication::processEvents();
    const ViewportLayout large = view().previewBox().DeviceLayout();
    EXPECT_GT(large.scale, small.scale);
    EXPECT_EQ(large.rect.width(), 224 * large.scale);
    EXPECT_GT(view().mapBox().gridLayout().cellSize, smallCell);
}

class MissingPaletteTest : public FormTest {
protected:
    MissingPaletteTest() { writeWallSet = false; }
};

TEST_F(MissingPaletteTest, StartUpShowsOnlyThePaletteMessage) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "A palette file 'wallpalette.pal' failed to be read!");
    EXPECT_EQ(messages.shown[0].caption, "Orvandel");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

}  // namespace
}  // namespace orvandel
