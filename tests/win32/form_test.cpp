// The form under Wine or Windows: the template as the resources build it, and the keys, buttons
// and boxes wired to their actions.
#include <gtest/gtest.h>

#include <windows.h>
// shlobj.h needs the types windows.h declares.
#include <shlobj.h>

#include <cstring>

#include <string>
#include <vector>

#include "core/common/path_text.h"
#include "core/session/wall_set_session.h"
#include "desk/form_template.h"
#include "support/temp_folder.h"
#include "win32/kel_view.h"
#include "win32/main_frame.h"
#include "win32/message_box.h"
#include "win32/resource.h"
#include "win32/view_picture.h"
#include "win32/wide_text.h"

namespace orvandel::win32 {
namespace {

class RecordingPresenter : public MessagePresenter {
public:
    MessageAnswer Show(const MessageRequest& request) override {
        shown.push_back(request);
        return request.buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
    }
    std::vector<MessageRequest> shown;
    MessageAnswer answer = MessageAnswer::No;
};

// A box as one line, so that a mismatch shows all of it.
std::string Describe(const MessageRequest& request) {
    return request.caption + " | " + request.text + " | " + request.details + " | " +
           (request.icon == MessageIcon::Warning ? "warning" : "information") + " | " +
           (request.buttons == MessageButtons::Ok ? "OK" : "Yes/No");
}

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    ::GetWindowTextW(window, text, 511);
    return Utf8FromWide(text);
}

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(std::filesystem::path(ORVANDEL_SOURCE_DIR) / "samples" / "stone",
                              m_home.path());
        m_parent = ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 1200, 900, nullptr,
                                     nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_parent, nullptr) << "no window without a display: give Wine one "
                                        "(tools/test-windows.sh starts Xvfb for it)";
        m_view.model().SetLiveReload(false);
        ASSERT_TRUE(m_view.Create(m_parent));
        m_view.OnInitialUpdate();
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

    HWND Control(int id) const { return ::GetDlgItem(m_view.window(), id); }
    void Key(UINT message, WPARAM key) {
        const MSG sent{Control(IDC_TURN_LEFT), message, key, 0, 0, {}};
        EXPECT_TRUE(m_view.HandleKey(sent)) << key;
    }

    testing::TempFolder m_home;
    WallSetSession m_session{m_home.path()};
    RecordingPresenter m_messages;
    CKelView m_view{m_session, m_messages};
    HWND m_parent = nullptr;
};

TEST_F(FormTest, TemplateHasTheCaptionsAndPlacesOfTheFormInTabOrder) {
    const struct {
        int id;
        const char* caption;
    } expected[] = {
        {IDC_TURN_LEFT, "Turn left &7"},
        {IDC_MOVE_FORWARD, "Move forward &8"},
        {IDC_TURN_RIGHT, "Turn right &9"},
        {IDC_MOVE_LEFT, "Move left &4"},
        {IDC_MOVE_BACK, "Move back &5"},
        {IDC_MOVE_RIGHT, "Move right &6"},
        {IDC_EVEN_ODD, "Enable &Even/Odd simulation"},
        {IDC_RELOAD, "Reload palette and bitmap files"},
        {IDC_EXPORT, "Export Pelorim for Vantrelle"},
    };
    HWND focus = Control(IDC_TURN_LEFT);
    for (const auto& control : expected) {
        EXPECT_EQ(TextOf(Control(control.id)), control.caption);
        EXPECT_EQ(focus, Control(control.id)) << control.caption << " is out of Tab order";
        focus = ::GetNextDlgTabItem(m_view.window(), focus, FALSE);
    }
    EXPECT_EQ(TextOf(Control(IDC_MAP_NOTE)), "* Click the above tile to swap wall and floor.");
    EXPECT_EQ(TextOf(Control(IDC_POSITION)), "---");
    // The form has its template size: every control sits where the resource script and the
    // model's template both put it.
    const int ids[] = {IDC_TURN_LEFT, IDC_MOVE_FORWARD, IDC_TURN_RIGHT, IDC_MOVE_LEFT,
                       IDC_MOVE_BACK, IDC_MOVE_RIGHT,   IDC_EVEN_ODD,   IDC_RELOAD,
                       IDC_EXPORT,    IDC_PREVIEW,      IDC_MAP,        IDC_MAP_NOTE,
                       IDC_POSITION};
    for (const TemplateEntry& entry : kFormTemplate) {
        // As the dialog manager places a template's control: x, y, cx and cy each converted.
        const DialogRect& units = entry.rect;
        RECT base{0, 0, 4, 8};
        ::MapDialogRect(m_view.window(), &base);
        const int x = ::MulDiv(units.left, base.right, 4);
        const int y = ::MulDiv(units.top, base.bottom, 8);
        const RECT expectedRect{x, y, x + ::MulDiv(units.width, base.right, 4),
                                y + ::MulDiv(units.height, base.bottom, 8)};
        const HWND control = Control(ids[IndexOf(entry.control)]);
        RECT actual;
        ::GetWindowRect(control, &actual);
        ::MapWindowPoints(nullptr, m_view.window(), reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_TRUE(::EqualRect(&actual, &expectedRect)) << "control " << IndexOf(entry.control);
        EXPECT_EQ(TextOf(control), ControlCaption(entry.control).empty()
                                       ? TextOf(control)
                                       : std::string(ControlCaption(entry.control)));
    }
}

TEST_F(FormTest, DigitsAndKeypadWalkAndTurnAndEFlipsTheSwitch) {
    Key(WM_CHAR, L'8');
    EXPECT_EQ(TextOf(Control(IDC_POSITION)), "(7,6,N)");
    Key(WM_KEYDOWN, VK_NUMPAD9);
    EXPECT_EQ(TextOf(Control(IDC_POSITION)), "(7,6,E)");
    Key(WM_KEYDOWN, VK_NUMPAD4);  // left of east is north
    EXPECT_EQ(TextOf(Control(IDC_POSITION)), "(7,5,E)");
    Key(WM_CHAR, L'7');
    Key(WM_CHAR, L'5');
    EXPECT_EQ(TextOf(Control(IDC_POSITION)), "(7,6,N)");
    Key(WM_CHAR, L'E');
    EXPECT_EQ(::IsDlgButtonChecked(m_view.window(), IDC_EVEN_ODD), BST_CHECKED);
    Key(WM_CHAR, L'e');
    EXPECT_EQ(::IsDlgButtonChecked(m_view.window(), IDC_EVEN_ODD), BST_UNCHECKED);
    const MSG other{Control(IDC_TURN_LEFT), WM_CHAR, L'x', 0, 0, {}};
    EXPECT_FALSE(m_view.HandleKey(other));
}

TEST_F(FormTest, ExportAndReloadShowTheirBoxesWithExactTextsIconsAndButtons) {
    EXPECT_TRUE(m_messages.shown.empty());  // the sample loads without a word

    ::SendMessageW(Control(IDC_EXPORT), BM_CLICK, 0, 0);
    ASSERT_EQ(m_messages.shown.size(), 2u);
    const MessageRequest& question = m_messages.shown[0];
    EXPECT_EQ(Describe(question),
              Describe(YesNoQuestion("Export the contents to folder '" + PathToUtf8(m_home.path()) +
                                     "'.\n\nDo you proceed?")));
    EXPECT_EQ(question.caption, "Orvandel");
    EXPECT_EQ(MessageBoxStyle(question),
              static_cast<unsigned>(MB_YESNO | MB_ICONWARNING | MB_APPLMODAL));
    EXPECT_EQ(Describe(m_messages.shown[1]), Describe(WarningMessage("Export cancelled")));
    EXPECT_FALSE(std::filesystem::exists(m_home / "Wall_D0.bmp"));

    m_messages.shown.clear();
    m_messages.answer = MessageAnswer::Yes;
    ::SendMessageW(Control(IDC_EXPORT), BM_CLICK, 0, 0);
    ASSERT_EQ(m_messages.shown.size(), 2u);
    EXPECT_EQ(Describe(m_messages.shown[1]), Describe(InformationMessage("export finished")));
    EXPECT_EQ(MessageBoxStyle(m_messages.shown[1]),
              static_cast<unsigned>(MB_OK | MB_ICONINFORMATION | MB_APPLMODAL));
    EXPECT_TRUE(std::filesystem::exists(m_home / "Wall_D0`.bmp"));

    m_messages.shown.clear();
    std::filesystem::remove(m_home / "wallpalette.pal");
    ::SendMessageW(Control(IDC_RELOAD), BM_CLICK, 0, 0);
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_EQ(m_messages.shown[0].text, "A palette file 'wallpalette.pal' failed to be read!");
    EXPECT_EQ(MessageBoxStyle(m_messages.shown[0]),
              static_cast<unsigned>(MB_OK | MB_ICONWARNING | MB_APPLMODAL));
}

// An HDROP as Explorer hands it over: the DROPFILES header, then the wide names, each ending in
// a zero, the list in another.
HDROP DropOf(const std::vector<std::filesystem::path>& files) {
    std::wstring names;
    for (const std::filesystem::path& file : files) {
        names += file.wstring();
        names += L'\0';
    }
    names += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST(MainFrameTest, DroppedWallSetFilesOpenInTurnAndARefusedOneIsReported) {
    testing::TempFolder home;
    std::filesystem::copy(std::filesystem::path(ORVANDEL_SOURCE_DIR) / "samples" / "stone",
                          home.path());
    testing::WriteFileText(home / "first.Pelorim", "[BMP]\n");
    testing::WriteFileText(home / "second.Pelorim", "[BMP]\n");
    WallSetSession session(home.path());
    RecordingPresenter messages;
    CMainFrame frame(session, messages);
    frame.view().model().SetLiveReload(false);
    ASSERT_TRUE(frame.Create(SW_HIDE)) << "no window without a display";

    ::SendMessageW(
        frame.window(), WM_DROPFILES,
        reinterpret_cast<WPARAM>(DropOf({home / "first.Pelorim", home / "second.Pelorim"})), 0);
    EXPECT_EQ(session.document().path().filename(), "second.Pelorim");
    EXPECT_TRUE(messages.shown.empty());

    ::SendMessageW(frame.window(), WM_DROPFILES,
                   reinterpret_cast<WPARAM>(DropOf({home / "missing.Pelorim"})), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text.rfind("The wall-set file '", 0), 0u) << messages.shown[0].text;
    EXPECT_EQ(session.document().path().filename(), "second.Pelorim");
    ::DestroyWindow(frame.window());
}

TEST(ClipboardTest, TheViewGoesOnTheClipboardAsItsBitmapWithoutTheFileHeader) {
    CPaletteDib picture;
    std::vector<RgbQuad> table(256);
    ASSERT_TRUE(picture.Create(448, 272, 8, table, 256));
    const std::vector<std::uint8_t> file = picture.EncodeBmp();
    const std::vector<std::uint8_t> dib = ClipboardDib(picture);
    ASSERT_EQ(dib.size(), file.size() - 14);
    BITMAPINFOHEADER header;
    std::memcpy(&header, dib.data(), sizeof header);
    EXPECT_EQ(header.biSize, sizeof header);
    EXPECT_EQ(header.biWidth, 448);
    EXPECT_EQ(header.biHeight, 272);
    EXPECT_EQ(header.biBitCount, 8);
}

}  // namespace
}  // namespace orvandel::win32
