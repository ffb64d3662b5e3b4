#pragma once

#include <QMainWindow>
#include <QString>

class QLabel;

namespace orvandel {

class CKelDoc;
class CKelView;
class CProblemsPanel;
class MessagePresenter;

// The main window: titled "Orvandel" whatever file is open, no menu or toolbar; the form, the
// problems panel below it, and a status line that sums up the last load or, while the pointer is
// over the preview, says in full what lies under it. Wall-set files dropped on it are opened.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(CKelDoc& document, MessagePresenter& messages, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CKelView& view() { return *m_view; }
    CProblemsPanel& problemsPanel() { return *m_problems; }
    // The status line: the last load's summary, or the inspector's answer; empty when all is
    // well and the pointer is elsewhere.
    QLabel& summaryLabel() { return *m_status; }

    // Fits the window to the form, then loads and renders the document's wall set.
    void InitialUpdate();
    // Opens a file as the document and runs the initial update; a file that cannot be opened
    // is reported and the current document stays.
    bool OpenDocument(const QString& fileName);
    // The window's size for the form at its template size.
    QSize FittedSize() const;

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FitToForm();
    void ShowModelChange(unsigned parts);

    CKelView* m_view = nullptr;
    CProblemsPanel* m_problems = nullptr;
    QLabel* m_status = nullptr;
};

}  // namespace orvandel
