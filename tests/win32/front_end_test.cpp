// The Windows front-end's own small rules: keys, boxes, dialog filters, the command line, the
// form's growth and Explorer's file type.
#include <gtest/gtest.h>

#include <windows.h>

#include "core/session/session_report.h"
#include "win32/command_line.h"
#include "win32/file_dialogs.h"
#include "win32/form_layout.h"
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
        bool ctrlOrAlt;
        std::optional<int> control;
    } cases[] = {
        {WM_CHAR, L'7', false, IDC_TURN_LEFT},
        {WM_CHAR, L'8', false, IDC_MOVE_FORWARD},
        {WM_CHAR, L'9', false, IDC_TURN_RIGHT},
        {WM_CHAR, L'4', false, IDC_MOVE_LEFT},
        {WM_CHAR, L'5', false, IDC_MOVE_BACK},
        {WM_CHAR, L'6', false, IDC_MOVE_RIGHT},
        {WM_KEYDOWN, VK_NUMPAD7, false, IDC_TURN_LEFT},
        {WM_KEYDOWN, VK_NUMPAD8, false, IDC_MOVE_FORWARD},
        {WM_KEYDOWN, VK_NUMPAD9, false, IDC_TURN_RIGHT},
        {WM_KEYDOWN, VK_NUMPAD4, false, IDC_MOVE_LEFT},
        {WM_KEYDOWN, VK_NUMPAD5, false, IDC_MOVE_BACK},
        {WM_KEYDOWN, VK_NUMPAD6, false, IDC_MOVE_RIGHT},
        {WM_CHAR, L'e', false, IDC_EVEN_ODD},
        {WM_CHAR, L'E', false, IDC_EVEN_ODD},
        // The digit keys as keys would act twice: once down, once as their character.
        {WM_KEYDOWN, '8', false, std::nullopt},
        {WM_KEYDOWN, 'E', false, std::nullopt},
        {WM_CHAR, L'1', false, std::nullopt},
        {WM_KEYDOWN, VK_NUMPAD1, false, std::nullopt},
        {WM_CHAR, L'8', true, std::nullopt},  // Ctrl/Alt: the dialog's and the panel's
        {WM_CHAR, L'e', true, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormControlForKey(c.message, c.key, c.ctrlOrAlt), c.control)
            << "message " << c.message << " key " << c.key;
    }
}

TEST(MessageBoxTest, NoticesBecomeBoxesCaptionedOrvandelWithTheirIcons) {
    class Recorder : public MessagePresenter {
    public:
        MessageAnswer Show(const MessageRequest& request) override {
            shown.push_back(request);
            return MessageAnswer::Ok;
        }
        std::vector<MessageRequest> shown;
    } recorder;
    SessionReport report;
    report.notices.push_back({Severity::Warning,
                              "The following bitmap file(s) failed to be read: \n\n0085.bmp\n",
                              {"0085.bmp: missing file"}});
    report.notices.push_back({Severity::Information, "export finished", {}});
    Present(recorder, report);
    ASSERT_EQ(recorder.shown.size(), 2u);
    EXPECT_EQ(recorder.shown[0].caption, "Orvandel");
    EXPECT_EQ(recorder.shown[0].text,
              "The following bitmap file(s) failed to be read: \n\n0085.bmp\n");
    EXPECT_EQ(recorder.shown[0].details, "0085.bmp: missing file\n");
    EXPECT_EQ(MessageBoxStyle(recorder.shown[0]),
              static_cast<unsigned>(MB_OK | MB_ICONWARNING | MB_APPLMODAL));
    EXPECT_EQ(recorder.shown[1], InformationMessage("export finished"));
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
    EXPECT_EQ(DialogFilter("Test maps (*.txt);;All files (*)"),
              ZeroSeparated({L"Test maps (*.txt)", L"*.txt", L"All files (*)", L"*.*"}));
    EXPECT_EQ(DialogFilter("Pictures (*.png *.bmp)"),
              ZeroSeparated({L"Pictures (*.png *.bmp)", L"*.png;*.bmp"}));
}

TEST(CommandLineTest, ReadsOptionsFileAndRegistration) {
    const CommandLine run =
        ParseCommandLine({"--no-watch", "--home-from-file", "Mein Set.Pelorim"});
    EXPECT_EQ(run.action, CommandLine::Action::Run);
    EXPECT_FALSE(run.watch);
    EXPECT_TRUE(run.homeFromFile);
    EXPECT_EQ(run.wallSetFile, "Mein Set.Pelorim");
    EXPECT_EQ(ParseCommandLine({"--", "-odd.Pelorim"}).wallSetFile, "-odd.Pelorim");
    EXPECT_EQ(ParseCommandLine({"--register"}).action, CommandLine::Action::Register);
    EXPECT_EQ(ParseCommandLine({"--unregister"}).action, CommandLine::Action::Unregister);
    for (const std::vector<std::string>& wrong :
         {std::vector<std::string>{"a.Pelorim", "b.Pelorim"},
          {"--frobnicate"},
          {"--register", "a.Pelorim"}}) {
        EXPECT_EQ(ParseCommandLine(wrong).action, CommandLine::Action::UsageError) << wrong[0];
    }
}

TEST(FormLayoutTest, ExtraRoomGoesToPreviewAndMapAndMovesTheRest) {
    const RECT preview{10, 10, 490, 300};  // 480 wide
    const RECT map{500, 10, 780, 250};     // 280 wide
    const RECT button{90, 310, 190, 340};
    const RECT reload{520, 290, 780, 320};
    const auto place = [](int id, RECT rect) { return PlaceControl(id, rect, 76, 40, 480, 280); };
    const RECT grownPreview = place(IDC_PREVIEW, preview);
    const RECT grownMap = place(IDC_MAP, map);
    EXPECT_EQ(grownPreview.right - grownPreview.left, 480 + 48);
    EXPECT_EQ(grownPreview.bottom, 340);
    EXPECT_EQ(grownMap.left, 548);
    EXPECT_EQ(grownMap.right, 780 + 76);  // the two share the extra width exactly
    EXPECT_EQ(place(IDC_TURN_LEFT, button).top, 350);
    EXPECT_EQ(place(IDC_TURN_LEFT, button).left, 90);
    EXPECT_EQ(place(IDC_RELOAD, reload).left, 568);
    EXPECT_EQ(place(IDC_RELOAD, reload).top, 330);
    // A window smaller than the form moves nothing.
    const RECT shrunk = PlaceControl(IDC_PREVIEW, preview, -50, -50, 480, 280);
    EXPECT_TRUE(::EqualRect(&shrunk, &preview));
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
