#pragma once

#include <QMainWindow>
#include <QString>

class QLabel;

namespace orvandel {

class CKelDoc;
class CKelView;
class MessagePresenter;

// The main window: titled "Orvandel" whatever file is open, no menu or toolbar; the form above a
// status line that sums up what the last load did to the pictures and, while the pointer is
// over the preview, says what lies under it. Wall-set files dropped on it are opened.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CKelDoc& document, MessagePresenter& messages, QWidget* parent = nullptr);

    CKelView& view() { return *m_view; }
    // The status line's summary of the last load; empty when all is well.
    QLabel& summaryLabel() { return *m_summary; }

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
    void ShowLoadSummary();

    CKelDoc& m_document;
    MessagePresenter& m_messages;
    CKelView* m_view = nullptr;
    QLabel* m_summary = nullptr;
};

}  // namespace orvandel
