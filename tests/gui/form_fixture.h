#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <deque>
#include <vector>

#include "core/map/map_grid_layout.h"
#include "gui/home_folder.h"
#include "gui/kel_doc.h"
#include "gui/kel_view.h"
#include "gui/main_frame.h"
#include "gui/map_box.h"
#include "gui/message_presenter.h"
#include "support/temp_folder.h"
#include "support/test_wall_set.h"

namespace orvandel::testing {

// Stands in for the modal boxes: records each one and answers questions from a script.
class RecordingPresenter final : public MessagePresenter {
public:
    MessageAnswer Show(const MessageRequest& request) override {
        shown.push_back(request);
        if (request.buttons == MessageButtons::Ok) {
            return MessageAnswer::Ok;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << request.text;
            return MessageAnswer::No;
        }
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<MessageRequest> shown;
    std::deque<MessageAnswer> answers;
};

// The main window on a home folder holding the test wall set, shown and loaded.
class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_homeFolder = home.path().string();
        if (writeWallSet) {
            WriteTestWallSet(home.path());
        }
        frame.InitialUpdate();
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }

    CKelView& view() { return frame.view(); }
    QString readOut() { return view().positionLabel().text(); }

    // Presses the left button over a cell of the map grid.
    void ClickCell(int x, int y) {
        CMapBox& map = view().mapBox();
        const Rect cell = CellRect(map.gridLayout(), x, y);
        QTest::mouseClick(&map, Qt::LeftButton, Qt::NoModifier,
                          map.contentsRect().topLeft() + QPoint(cell.left + 1, cell.top + 1));
    }

    // Sends a key to whatever has the focus inside the form, as a user typing would.
    void Type(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        if (target == nullptr || !view().isAncestorOf(target)) {
            target = &view().control(FormControl::TurnLeft);
        }
        QTest::keyClick(target, key, modifiers);
    }

    bool writeWallSet = true;
    TempFolder home;
    CKelDoc document{home.path()};
    RecordingPresenter messages;
    CMainFrame frame{document, messages};
};

}  // namespace orvandel::testing
