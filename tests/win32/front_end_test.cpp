// The Windows front-end's own small rules: keys, boxes, dialog filters, the command line, the
// form's growth and Explorer's file type.
#include <gtest/gtest.h>

#include <windows.h>

#include "desk/desk_command_line.h"
#include "win32/file_dialogs.h"
#include "win32/key_map.h"
#include "win32/message_box.h"
#include "win32/resource.h"
#include "win32/shell_registration.h"

namespace orvandel::win32 {
namespace {

TEST(KeyMapTest, MainKeyboardDigitsKeypadAndEPressTheirControls) {
    const struct {
        UINT message;
        WPARAM key;
        unsigned modifiers;
        std::optional<int> control;
    } cases[] = {
        {WM_CHAR, L'7', kNoModifier, IDC_TURN_LEFT},
        {WM_CHAR, L'8', kNoModifier, IDC_MOVE_FORWARD},
        {WM_CHAR, L'9', kNoModifier, IDC_TURN_RIGHT},
        {WM_CHAR, L'4', kNoModifier, IDC_MOVE_LEFT},
        {WM_CHAR, L'5', kNoModifier, IDC_MOVE_BACK},
        {WM_CHAR, L'6', kNoModifier, IDC_MOVE_RIGHT},
        // A layout that types digits with Shift (AZERTY) still walks.
        {WM_CHAR, L'8', kShiftModifier, IDC_MOVE_FORWARD},
        {WM_KEYDOWN, VK_NUMPAD7, kNoModifier, IDC_TURN_LEFT},
        {WM_KEYDOWN, VK_NUMPAD8, kNoModifier, IDC_MOVE_FORWARD},
        {WM_KEYDOWN, VK_NUMPAD9, kNoModifier, IDC_TURN_RIGHT},
        {WM_KEYDOWN, VK_NUMPAD4, kNoModifier, IDC_MOVE_LEFT},
        {WM_KEYDOWN, VK_NUMPAD5, kNoModifier, IDC_MOVE_BACK},
        {WM_KEYDOWN, VK_NUMPAD6, kNoModifier, IDC_MOVE_RIGHT},
        {WM_CHAR, L'e', kNoModifier, IDC_EVEN_ODD},
        {WM_CHAR, L'E', kShiftModifier, IDC_EVEN_ODD},
        // The digit keys as keys would act twice: once down, once as their character.
        {WM_KEYDOWN, '8', kNoModifier, std::nullopt},
        {WM_KEYDOWN, 'E', kNoModifier, std::nullopt},
        {WM_CHAR, L'1', kNoModifier, std::nullopt},
        {WM_KEYDOWN, VK_NUMPAD1, kNoModifier, std::nullopt},
        // Ctrl and Alt belong to the dialog's mnemonics and the panel's Ctrl+C.
        {WM_CHAR, L'8', kControlModifier, std::nullopt},
        {WM_KEYDOWN, VK_NUMPAD8, kAltModifier, std::nullopt},
        {WM_CHAR, L'e', kControlModifier, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto key = DeskKeyOf(c.message, c.key, c.modifiers);
        const auto action = key ? ActionForKey(*key) : std::nullopt;
        EXPECT_EQ(action ? ControlOfAction(*action) : std::nullopt, c.control)
            << "message " << c.message << " key " << c.key;
    }
    for (int control = IDC_PREVIEW; control <= IDC_POSITION; ++control) {
        if (const auto action = ActionOfControl(control)) {
            EXPECT_EQ(ControlOfAction(*action), control);
        }
    }
}

TEST(MessageBoxTest, BoxesHaveTheirIconsAndButtonsAndWindowsLineBreaks) {
    EXPECT_EQ(MessageBoxStyle(WarningMessage("Export cancelled")),
              static_cast<unsigned>(MB_OK | MB_ICONWARNING | MB_APPLMODAL));
    EXPECT_EQ(MessageBoxStyle(InformationMessage("export finished")),
              static_cast<unsigned>(MB_OK | MB_ICONINFORMATION | MB_APPLMODAL));
    EXPECT_EQ(MessageBoxStyle(YesNoQuestion("Do you proceed?")),
              static_cast<unsigned>(MB_YESNO | MB_ICONWARNING | MB_APPLMODAL));
    // Windows' own line breaks, so Ctrl+C on a box copies what it shows.
    EXPECT_EQ(BoxText("a: \n\nb\n"), L"a: \r\n\r\nb\r\n");
}

// Each part followed by its zero, the list by one more.
std::wstring ZeroSeparated(std::initializer_list<std::wstring> parts) {
    std::wstring list;
    for (const std::wstring& part : parts) {
        list += part;
        list += L'\0';
    }
    return list + L'\0';
}

TEST(FileDialogTest, FilterListHasNamesPatternsAndZeros) {
    EXPECT_EQ(DialogFilter({{"Test maps", "*.txt"}, {"All files", "*"}}),
              ZeroSeparated({L"Test maps (*.txt)", L"*.txt", L"All files (*)", L"*.*"}));
    EXPECT_EQ(DialogFilter({{"PNG picture at 3x", "*.png"}}),
              ZeroSeparated({L"PNG picture at 3x (*.png)", L"*.png"}));
}

TEST(CommandLineTest, ReadsOptionsFileAndRegistration) {
    constexpr CommandLineFlavour kWindows = CommandLineFlavour::kWindows;
    const CommandLine run =
        ParseCommandLine({"--no-watch", "--home-from-file", "Mein Set.Pelorim"}, kWindows);
    EXPECT_EQ(run.action, CommandLine::Action::Run);
    EXPECT_FALSE(run.watch);
    EXPECT_TRUE(run.homeFromFile);
    EXPECT_EQ(run.wallSetFile, "Mein Set.Pelorim");
    EXPECT_EQ(ParseCommandLine({"--", "-odd.Pelorim"}, kWindows).wallSetFile, "-odd.Pelorim");
    EXPECT_EQ(ParseCommandLine({"--register"}, kWindows).action, CommandLine::Action::Register);
    EXPECT_EQ(ParseCommandLine({"--unregister"}, kWindows).action, CommandLine::Action::Unregister);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"a.Pelorim", "b.Pelorim"},
          {"--frobnicate"},
          {"--register", "a.Pelorim"}}) {
        EXPECT_EQ(ParseCommandLine(wrong, kWindows).action, CommandLine::Action::UsageError)
            << wrong[0];
    }
}

std::wstring DefaultValue(const std::wstring& key) {
    wchar_t value[512] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value,
                       &bytes) != ERROR_SUCCESS) {
        return L"(none)";
    }
    return value;
}

TEST(ShellRegistrationTest, RegistersForTheUserAndUnregistersOnlyWhatIsOurs) {
    const std::wstring root = L"Software\\OrvandelTest\\Classes";
    const std::wstring program = L"C:\\Program Files\\Orvandel\\orvandel.exe";
    ASSERT_TRUE(RegisterWallSetFileType(program, root));
    EXPECT_EQ(DefaultValue(root + L"\\.Pelorim"), L"Orvandel.Document");
    EXPECT_EQ(DefaultValue(root + L"\\Orvandel.Document\\shell\\open\\command"),
              L"\"C:\\Program Files\\Orvandel\\orvandel.exe\" --home-from-file \"%1\"");
    ASSERT_TRUE(UnregisterWallSetFileType(root));
    EXPECT_EQ(DefaultValue(root + L"\\.Pelorim"), L"(none)");
    EXPECT_EQ(DefaultValue(root + L"\\Orvandel.Document\\shell\\open\\command"), L"(none)");

    // Another program has taken .Pelorim over since: its claim stays.
    ASSERT_TRUE(RegisterWallSetFileType(program, root));
    HKEY key = nullptr;
    ::RegCreateKeyExW(HKEY_CURRENT_USER, (root + L"\\.Pelorim").c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr);
    const wchar_t other[] = L"Other.Editor";
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(other), sizeof other);
    ::RegCloseKey(key);
    ASSERT_TRUE(UnregisterWallSetFileType(root));
    EXPECT_EQ(DefaultValue(root + L"\\.Pelorim"), L"Other.Editor");
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\OrvandelTest");
}

}  // namespace
}  // namespace orvandel::win32
