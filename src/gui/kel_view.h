#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "desk/desk_delegate.h"
#include "desk/window_model.h"
#include "gui/form_layout.h"

class QAbstractButton;
class QAction;
class QLabel;

namespace orvandel {

class CKelBox;
class CKelDoc;
class CMapBox;
class CWallSetWatcher;
class FileDialogs;
class MessagePresenter;
class ViewSaveDialog;

// The main form: preview, map grid, the six walk and turn buttons laid out like a keypad, the
// even/odd switch, the position read-out, and the reload and export buttons. It owns the window
// model, forwards every event to it and shows what it says; it is the model's delegate for boxes,
// file dialogs, the file watch and the timer.
class CKelView : public QWidget, private DeskDelegate {
    Q_OBJECT

public:
    CKelView(CKelDoc& document, MessagePresenter& messages, QWidget* parent = nullptr);
    ~CKelView() override;

    WindowModel& model() { return m_model; }
    const WindowModel& model() const { return m_model; }

    // Runs whenever a document is attached: loads the wall set with its boxes, renders, watches.
    void OnInitialUpdate();

    // The template's size in pixels of the current font.
    QSize FormSize() const;
    QSize sizeHint() const override { return FormSize(); }

    CMapBox& mapBox() { return *m_wndMap; }
    CKelBox& previewBox() { return *m_wndPreview; }
    // The button or check box of a control; only those are clickable controls.
    QAbstractButton& control(FormControl which);
    QLabel& positionLabel() { return *m_wndPosition; }
    // The context-menu entry of an action.
    QAction& action(DeskAction which);
    // Replaces the file dialog of "Save view as"; tests answer it from a script.
    void SetSaveDialog(std::unique_ptr<ViewSaveDialog> dialog);

    // Live reload: the preview follows the files as the painting program saves them. On unless
    // switched off, from the preview's context menu or with --no-watch.
    void SetLiveReload(bool on) { m_model.SetLiveReload(on); }
    bool liveReload() const { return m_model.liveReload(); }
    CWallSetWatcher& watcher() { return *m_watcher; }
    // The test map's file dialogs; Qt's own unless replaced (tests answer them from a script).
    void SetFileDialogs(FileDialogs& dialogs) { m_pFileDialogs = &dialogs; }

signals:
    // Parts of the window (DeskPart bits) that the model changed, for the frame's status line
    // and problems panel.
    void modelChanged(unsigned parts);

public slots:
    void OnReload() { m_model.Act(DeskAction::Reload); }
    void OnExport() { m_model.Act(DeskAction::Export); }
    void OnCopyView();
    void OnSaveView();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The delegate's side.
    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::optional<std::filesystem::path> ChooseFileToOpen(const FileQuestion& question) override;
    std::optional<std::filesystem::path> ChooseFileToSave(const FileQuestion& question) override;
    void Refresh(unsigned parts) override;
    void Watch(const WatchList& watch) override;
    void StartTimer(int milliseconds) override;
    void StopTimer() override;
    std::int64_t NowMilliseconds() override;

    void PlaceControls();
    void CreateMenus();
    QAction* MakeAction(DeskAction which);

    MessagePresenter& m_messages;
    WindowModel m_model;
    CMapBox* m_wndMap = nullptr;
    CKelBox* m_wndPreview = nullptr;
    QLabel* m_wndPosition = nullptr;
    QLabel* m_wndMapNote = nullptr;
    std::array<QWidget*, kFormControlCount> m_wndControls{};  // every control, by its identity
    std::array<QAction*, kDeskActionCount> m_actions{};
    DialogBase m_dialogBase;
    CWallSetWatcher* m_watcher = nullptr;
    QTimer m_timer;
    QElapsedTimer m_clock;
    std::unique_ptr<FileDialogs> m_ownFileDialogs;
    FileDialogs* m_pFileDialogs = nullptr;
    std::unique_ptr<ViewSaveDialog> m_saveDialog;
};

}  // namespace orvandel
