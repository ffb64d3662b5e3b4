#include "desk/desk_action.h"

#include <gtest/gtest.h>

#include "desk/form_template.h"

namespace orvandel {
namespace {

TEST(DeskKeys, DigitsWalkAndEFlipsTheSwitchWithoutAltFromEitherKeyboard) {
    struct Case {
        DeskKey key;
        std::optional<DeskAction> action;
    };
    const Case cases[] = {
        {{U'7', kNoModifier, false}, DeskAction::TurnLeft},
        {{U'8', kNoModifier, false}, DeskAction::MoveForward},
        {{U'9', kNoModifier, true}, DeskAction::TurnRight},
        {{U'4', kNoModifier, true}, DeskAction::MoveLeft},
        {{U'5', kNoModifier, false}, DeskAction::MoveBack},
        {{U'6', kNoModifier, false}, DeskAction::MoveRight},
        {{U'e', kNoModifier, false}, DeskAction::EvenOdd},
        {{U'E', kShiftModifier, false}, DeskAction::EvenOdd},
        // Anything held but Shift on a letter belongs to someone else (Ctrl+E, Alt+8, ...).
        {{U'E', kControlModifier, false}, std::nullopt},
        {{U'8', kAltModifier, false}, std::nullopt},
        {{U'8', kShiftModifier, false}, std::nullopt},
        {{U'1', kNoModifier, false}, std::nullopt},
        {{U'R', kNoModifier, false}, std::nullopt},
        {{0, kNoModifier, false}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ActionForKey(c.key), c.action)
            << static_cast<char>(c.key.character) << " modifiers " << c.key.modifiers;
    }
}

TEST(DeskKeys, EveryMnemonicOfACaptionIsItsKey) {
    for (std::size_t i = 0; i < kDeskActionCount; ++i) {
        const auto action = static_cast<DeskAction>(i);
        const std::string_view caption = ActionCaption(action);
        ASSERT_FALSE(caption.empty());
        const std::size_t amp = caption.find('&');
        if (amp == std::string_view::npos || i > static_cast<std::size_t>(DeskAction::EvenOdd)) {
            continue;
        }
        EXPECT_EQ(ActionForKey({static_cast<char32_t>(caption[amp + 1]), kNoModifier, false}),
                  action)
            << caption;
    }
    EXPECT_EQ(ControlCaption(FormControl::EvenOdd), "Enable &Even/Odd simulation");
    EXPECT_EQ(ControlCaption(FormControl::Export), "Export Pelorim for Vantrelle");
    EXPECT_EQ(ControlCaption(FormControl::Position), "---");
}

}  // namespace
}  // namespace orvandel
