#pragma once

#include <QMainWindow>
#include <QString>

namespace orvandel {

class CKelDoc;
class CKelView;
class MessagePresenter;

// The main window: titled "Orvandel" whatever file is open, no menu, toolbar or status bar; its
// whole client area is the form. Wall-set files dropped on it are opened.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CKelDoc& document, MessagePresenter& messages, QWidget* parent = nullptr);

    CKelView& view() { return *m_view; }

    // Fits the window to the form, then loads and renders the document's wall set.
    void InitialUpdate();
    // Opens a file as the document and runs the initial update; a file that cannot be opened
    // is reported and the current document stays.
    bool OpenDocument(const QString& fileName);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FitToForm();

    CKelDoc& m_document;
    MessagePresenter& m_messages;
    CKelView* m_view = nullptr;
};

}  // namespace orvandel
