#include "gui/main_frame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "core/common/message_texts.h"
#include "core/report/check_text.h"
#include "core/session/session_report.h"
#include "gui/kel_box.h"
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
    m_summary = new QLabel(this);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(m_summary, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(m_view, &CKelView::wallSetLoaded, this, &CMainFrame::ShowLoadSummary);
    // The inspector's line stands in for the summary while the pointer is over the preview.
    connect(&m_view->previewBox(), &CKelBox::pixelInspected, this, [this](const QString& text) {
        if (text.isEmpty()) {
            statusBar()->clearMessage();
        } else {
            statusBar()->showMessage(text);
        }
    });
}

void CMainFrame::FitToForm() {
    // The client area is the form and the status line below it.
    resize(m_view->FormSize() + QSize(0, statusBar()->sizeHint().height()));
}

void CMainFrame::ShowLoadSummary() {
    const std::string line = ReportSummaryLine(m_document.session().report());
    m_summary->setText(QString::fromStdString(line));
    m_summary->setToolTip(m_summary->text());
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
