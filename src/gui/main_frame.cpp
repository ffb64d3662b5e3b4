#include "gui/main_frame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "core/common/message_texts.h"
#include "core/session/session_report.h"
#include "gui/kel_doc.h"
#include "gui/kel_view.h"
#include "gui/message_presenter.h"
#include "qtimage/qt_file_name.h"

namespace orvandel {
namespace {

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile());
        }
    }
    return files;
}

}  // namespace

CMainFrame::CMainFrame(CKelDoc& document, MessagePresenter& messages, QWidget* parent)
    : QMainWindow(parent),
      m_document(document),
      m_messages(messages),
      m_view(new CKelView(document, messages, this)) {
    setWindowTitle(QString::fromUtf8(messages::kAppName.data(),
                                     static_cast<qsizetype>(messages::kAppName.size())));
    setCentralWidget(m_view);
    setAcceptDrops(true);
}

void CMainFrame::FitToForm() {
    // With no bars around it, the window's client area is exactly the form.
    resize(m_view->FormSize());
}

void CMainFrame::InitialUpdate() {
    FitToForm();
    m_view->OnInitialUpdate();
}

bool CMainFrame::OpenDocument(const QString& fileName) {
    const std::filesystem::path path = PathOfQtFileName(fileName);
    const SessionReport opened = m_document.Open(path);
    if (!opened.ok()) {
        Present(m_messages, opened);
        return false;
    }
    InitialUpdate();
    return true;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    // One document at a time: each file opens in turn and the last one that opens stays.
    for (const QString& file : files) {
        OpenDocument(file);
    }
}

}  // namespace orvandel
