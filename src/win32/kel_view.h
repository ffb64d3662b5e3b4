#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/map/map_state.h"
#include "core/session/wall_set_session.h"
#include "win32/folder_watcher.h"
#include "win32/map_box.h"
#include "win32/message_box.h"
#include "win32/preview_box.h"

namespace orvandel::win32 {

// The main form: the dialog template's controls, the preview, the map grid and the problems
// panel, with every button, key and menu command routed to its action.
class CKelView {
public:
    CKelView(WallSetSession& session, MessagePresenter& messages);
    CKelView(const CKelView&) = delete;
    CKelView& operator=(const CKelView&) = delete;

    // Creates the form from its template as a child of `parent`.
    bool Create(HWND parent);
    HWND window() const { return m_hDlg; }
    // The form's size in pixels for its font and DPI, problems panel included.
    SIZE FormSize() const;

    // Runs whenever a document is attached: loads the wall set and renders. Map, viewer, switch
    // and read-out keep their state.
    void OnInitialUpdate();
    void RefreshView();

    void SetLiveReload(bool on);
    bool liveReload() const { return m_bLiveReload; }
    FolderWatcher& watcher() { return m_watcher; }

    // Presses the form's control for a key; false when the key is not one of the form's.
    bool HandleKey(const MSG& message);

    // The status line's text: the load's summary, or the pixel under the pointer.
    std::function<void(const std::string&)> onStatus;

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    void OnContextMenu(HWND source, int x, int y);
    void PlaceControls();

    void OnTurn(int delta);
    void OnWalk(int step);
    void OnEvenOdd();
    void OnReload();
    void OnExport();
    void OnMapChanged();
    void OnLiveReload();
    void OnLoadTestMap();
    void OnSaveTestMap();
    void OnResetTestMap();
    void OnCopyView();
    void OnSaveView();
    void OnPointer(int x, int y);

    void LoadAndRender();
    void ShowProblems(const SessionReport& report);
    void ShowSummary();
    void WatchInputs();
    // Runs an action; running out of memory is reported instead of ending the program.
    template <typename Work>
    void Guarded(Work&& work);

    WallSetSession& m_session;
    MessagePresenter& m_messages;
    HWND m_hDlg = nullptr;
    CMapBox m_wndMap;
    CKelBox m_wndPreview;
    bool m_bEvenOddCheck = false;
    HWND m_wndPosition = nullptr;
    HWND m_wndProblems = nullptr;
    HFONT m_panelFont = nullptr;
    MapState m_map;
    FolderWatcher m_watcher;
    bool m_bLiveReload = true;
    bool m_bLoaded = false;
    bool m_bLoading = false;
    bool m_bReloadPending = false;
    std::string m_summary;
};

}  // namespace orvandel::win32
