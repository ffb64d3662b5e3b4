#include "gui/main_frame.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "core/common/message_texts.h"
#include "gui/kel_doc.h"
#include "gui/kel_view.h"
#include "gui/message_presenter.h"
#include "gui/problems_panel.h"
#include "gui/qt_text.h"

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

// Text lines in a widget's font, with the frame and margins a list or label adds.
int LinesHigh(const QWidget& widget, int lines) {
    return QFontMetrics(widget.font()).lineSpacing() * lines + 8;
}

}  // namespace

CMainFrame::CMainFrame(CKelDoc& document, MessagePresenter& messages, QWidget* parent)
    : QMainWindow(parent) {
    setWindowTitle(ToQString(messages::kAppName));
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_view = new CKelView(document, messages, client);
    m_problems = new CProblemsPanel(client);
    // Below the form, never over the preview; it takes none of the extra height, which goes to
    // the preview and the map.
    m_problems->setMinimumHeight(LinesHigh(*m_problems, kProblemsPanelLines));
    m_problems->setMaximumHeight(LinesHigh(*m_problems, kProblemsPanelLines));
    column->addWidget(m_view, 1);
    column->addWidget(m_problems, 0);
    setCentralWidget(client);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setAccessibleName(QStringLiteral("Status"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A fixed height: a status line that grew with its text would shrink the preview under the
    // pointer.
    m_status->setFixedHeight(QFontMetrics(m_status->font()).lineSpacing() * kStatusLines);
    m_status->setMinimumWidth(1);
    statusBar()->addWidget(m_status, 1);
    statusBar()->setSizeGripEnabled(false);

    connect(m_view, &CKelView::modelChanged, this, &CMainFrame::ShowModelChange);
    connect(m_problems, &CProblemsPanel::entryChosen, this, [this](int entry) {
        m_view->model().SelectProblem(entry < 0 ? std::nullopt
                                                : std::optional(static_cast<std::size_t>(entry)));
    });
}

CMainFrame::~CMainFrame() {
    // The children go one by one: a panel losing its entries must not reach a form already gone.
    disconnect(m_problems, nullptr, this, nullptr);
}

void CMainFrame::ShowModelChange(unsigned parts) {
    const WindowModel& model = m_view->model();
    if ((parts & kStatusPart) != 0) {
        const QString text = ToQString(model.StatusText());
        if (text != m_status->text()) {
            m_status->setText(text);
            m_status->setToolTip(text);
            m_status->setAccessibleDescription(text);
        }
    }
    if ((parts & kProblemsPart) != 0) {
        m_problems->ShowProblems(model.problems());
    }
}

QSize CMainFrame::FittedSize() const {
    // The client area is the form, the problems panel and the status line below it.
    return m_view->FormSize() + QSize(0, m_problems->minimumHeight()) +
           QSize(0, statusBar()->sizeHint().height());
}

void CMainFrame::FitToForm() {
    resize(FittedSize());
}

void CMainFrame::InitialUpdate() {
    FitToForm();
    m_view->OnInitialUpdate();
}

bool CMainFrame::OpenDocument(const QString& fileName) {
    if (!m_view->model().OpenWallSet(PathOfQString(fileName))) {
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
