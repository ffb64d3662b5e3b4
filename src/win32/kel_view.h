#pragma once

#include <windows.h>

#include "desk/window_model.h"
#include "win32/folder_watcher.h"
#include "win32/map_box.h"
#include "win32/message_box.h"
#include "win32/preview_box.h"

namespace orvandel::win32 {

// The main form: the dialog template's controls, the preview, the map grid, the problems panel
// and the status line. Every button, key, click and menu command goes to the window model;
// the form paints and fills in what the model says, and lends it the window system's boxes,
// file dialogs, change notifications and timer.
class CKelView final : public DeskDelegate {
public:
    CKelView(WallSetSession& session, MessagePresenter& messages);
    CKelView(const CKelView&) = delete;
    CKelView& operator=(const CKelView&) = delete;
    ~CKelView() override;

    // Creates the form from its template as a child of `parent`.
    bool Create(HWND parent);
    HWND window() const { return m_hDlg; }
    WindowModel& model() { return m_model; }
    // The form's size in pixels for its font and DPI, problems panel and status line included.
    SIZE FormSize() const;

    // Runs whenever a document is attached: loads the wall set and renders.
    void OnInitialUpdate() { m_model.InitialUpdate(); }

    // Presses the form's control for a key, or copies the selected problem on Ctrl+C; false
    // when the message is none of the form's.
    bool HandleKey(const MSG& message);

    FolderWatcher& watcher() { return m_watcher; }

    // DeskDelegate
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileQuestion& question) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileQuestion& question) override;
    void Refresh(unsigned parts) override;
    void Watch(const WatchList& watch) override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    std::int64_t NowMilliseconds() override;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnCommand(int id, int code);
    void OnAction(DeskAction action);
    void OnContextMenu(HWND source, int x, int y);
    void PlaceControls();
    void FillProblems();
    void CopySelectedProblem();

    MessagePresenter& m_messages;
    WindowModel m_model;
    HWND m_hDlg = nullptr;
    CMapBox m_wndMap;
    CKelBox m_wndPreview;
    HWND m_wndPosition = nullptr;
    HWND m_wndProblems = nullptr;
    HWND m_wndStatus = nullptr;
    HWND m_wndTooltip = nullptr;
    FolderWatcher m_watcher;
};

}  // namespace orvandel::win32
