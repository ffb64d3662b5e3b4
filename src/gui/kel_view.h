#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <string_view>

#include "gui/form_layout.h"

class QAbstractButton;
class QCheckBox;
class QLabel;
class QPushButton;

namespace orvandel {

class CKelBox;
class CKelDoc;
class CMapBox;
class MessagePresenter;
class ViewSaveDialog;

// The main form: preview, map grid, the six walk and turn buttons laid out like a keypad, the
// even/odd switch, the position read-out, and the reload and export buttons.
class CKelView : public QWidget {
    Q_OBJECT

public:
    CKelView(CKelDoc& document, MessagePresenter& messages, QWidget* parent = nullptr);
    ~CKelView() override;

    // Runs whenever a document is attached: links the preview, loads the wall set, renders.
    // Map, viewer, switch and read-out keep their state.
    void OnInitialUpdate();
    void RefreshView();

    // The template's size in pixels of the current font.
    QSize FormSize() const;
    QSize sizeHint() const override { return FormSize(); }

    CMapBox& mapBox() { return *m_wndMap; }
    CKelBox& previewBox() { return *m_wndPreview; }
    // The button or check box of a control; only those are clickable controls.
    QAbstractButton& control(FormControl which);
    QLabel& positionLabel() { return *m_wndPosition; }
    // Replaces the file dialog of "Save view as"; tests answer it from a script.
    void SetSaveDialog(std::unique_ptr<ViewSaveDialog> dialog);

signals:
    // After every load and reload, once the view shows the new wall set.
    void wallSetLoaded();

public slots:
    void OnTurn(int delta);
    void OnWalk(int step);
    void OnEvenOdd();
    void OnReload();
    void OnExport();
    void OnMapChanged();
    void OnCopyView();
    void OnSaveView();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // What the initial update and the reload button both do: link, load, render.
    void LoadAndRender();
    // Runs a slot's work; running out of memory is reported instead of ending the program.
    template <typename Work>
    void Guarded(Work&& work);
    void PlaceControls();
    void CreatePreviewMenu();
    void AddPreviewAction(std::string_view caption, void (CKelView::*slot)());

    CKelDoc& m_document;
    MessagePresenter& m_messages;
    CMapBox* m_wndMap = nullptr;
    CKelBox* m_wndPreview = nullptr;
    bool m_bEvenOddCheck = false;
    QLabel* m_wndPosition = nullptr;
    QLabel* m_wndMapNote = nullptr;
    std::array<QWidget*, kFormControlCount> m_wndControls{};  // every control, by its identity
    DialogBase m_dialogBase;
    std::unique_ptr<ViewSaveDialog> m_saveDialog;
};

}  // namespace orvandel
