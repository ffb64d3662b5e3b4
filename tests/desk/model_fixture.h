#pragma once

#include <gtest/gtest.h>

#include "core/session/wall_set_session.h"
#include "desk/window_model.h"
#include "fake_delegate.h"
#include "support/temp_folder.h"
#include "support/test_wall_set.h"

namespace orvandel::testing {

// The window model on a home folder holding the test wall set, loaded, with a preview of
// 500 x 300 device pixels (scale 2, the viewport at (26, 14)).
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTestWallSet(home.path());
        model.SetPreviewSize(500, 300);
        model.InitialUpdate();
        desk.shown.clear();
        desk.refreshed = 0;
    }

    // A point of the preview over viewport pixel (x, y).
    static Point Over(int x, int y) { return {26 + 2 * x, 14 + 2 * y}; }
    std::string InspectorAt(int x, int y) {
        model.PointerAt(Over(x, y));
        return model.InspectorText();
    }

    TempFolder home;
    WallSetSession session{home.path()};
    FakeDelegate desk;
    WindowModel model{session, desk};
};

inline bool Contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

}  // namespace orvandel::testing
