#include "gui/kel_view.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <new>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/map/map_text.h"
#include "core/session/wall_set_session.h"
#include "core/view/view_picture_size.h"
#include "gui/file_dialogs.h"
#include "gui/gui_texts.h"
#include "gui/kel_box.h"
#include "gui/kel_doc.h"
#include "gui/map_box.h"
#include "gui/message_presenter.h"
#include "gui/view_save_dialog.h"
#include "gui/walk_button.h"
#include "gui/wall_set_watcher.h"
#include "qtimage/palette_dib_image.h"
#include "qtimage/qt_file_name.h"

namespace orvandel {
namespace {

struct WalkControl {
    FormControl control;
    const char* caption;
    Qt::Key key;
};

// clang-format off
constexpr std::array<WalkControl, 6> kWalkControls = {{
    {FormControl::TurnLeft,    "Turn left &7",    Qt::Key_7},
    {FormControl::MoveForward, "Move forward &8", Qt::Key_8},
    {FormControl::TurnRight,   "Turn right &9",   Qt::Key_9},
    {FormControl::MoveLeft,    "Move left &4",    Qt::Key_4},
    {FormControl::MoveBack,    "Move back &5",    Qt::Key_5},
    {FormControl::MoveRight,   "Move right &6",   Qt::Key_6},
}};
// clang-format on

Status SaveViewPicture(const CPaletteDib& picture, const ViewSaveChoice& choice) {
    if (choice.format == PictureFormat::kPng) {
        return WritePaletteDibPng(picture, choice.file);
    }
    if (!picture.WriteBmpFile(choice.file)) {
        return Status::Fail(std::string(messages::kFileNotWritten));
    }
    return Status::Ok();
}

// The clickable controls in Tab order.
constexpr std::array<FormControl, 9> kTabOrder = {
    FormControl::TurnLeft, FormControl::MoveForward, FormControl::TurnRight,
    FormControl::MoveLeft, FormControl::MoveBack,    FormControl::MoveRight,
    FormControl::EvenOdd,  FormControl::Reload,      FormControl::Export,
};

QString FromText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The live reload's notice as one block: the heading, then a line per file.
QString NoticeText(const SessionReport& report) {
    QString text;
    for (const Notice& notice : report.notices) {
        text += FromText(notice.text);
        for (const std::string& line : notice.details) {
            text += QLatin1Char('\n') + FromText(line);
        }
    }
    return text;
}

std::filesystem::path ToPath(const QString& fileName) {
    return PathOfQtFileName(fileName);
}

}  // namespace

CKelView::CKelView(CKelDoc& document, MessagePresenter& messages, QWidget* parent)
    : QWidget(parent),
      m_document(document),
      m_messages(messages),
      m_wndMap(new CMapBox(this)),
      m_wndPreview(new CKelBox(this)),
      m_wndPosition(new QLabel(QStringLiteral("---"), this)),
      m_wndMapNote(
          new QLabel(QStringLiteral("* Click the above tile to swap wall and floor."), this)),
      m_dialogBase(DialogBaseOf(font())),
      m_watcher(new CWallSetWatcher(this)),
      m_ownFileDialogs(std::make_unique<QtFileDialogs>(this)),
      m_pFileDialogs(m_ownFileDialogs.get()),
      m_saveDialog(std::make_unique<QtViewSaveDialog>()) {
    for (const WalkControl& walk : kWalkControls) {
        m_wndControls[IndexOf(walk.control)] =
            new CWalkButton(QString::fromLatin1(walk.caption), this);
    }
    m_wndControls[IndexOf(FormControl::EvenOdd)] =
        new QCheckBox(QStringLiteral("Enable &Even/Odd simulation"), this);
    m_wndControls[IndexOf(FormControl::Reload)] =
        new QPushButton(QStringLiteral("Reload palette and bitmap files"), this);
    m_wndControls[IndexOf(FormControl::Export)] =
        new QPushButton(QStringLiteral("Export Pelorim for Vantrelle"), this);
    m_wndControls[IndexOf(FormControl::Preview)] = m_wndPreview;
    m_wndControls[IndexOf(FormControl::Map)] = m_wndMap;
    m_wndControls[IndexOf(FormControl::MapNote)] = m_wndMapNote;
    m_wndControls[IndexOf(FormControl::Position)] = m_wndPosition;
    for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
        setTabOrder(&control(kTabOrder[i - 1]), &control(kTabOrder[i]));
    }

    auto onClick = [this](FormControl which, auto slot) {
        connect(&control(which), &QAbstractButton::clicked, this, slot);
    };
    onClick(FormControl::TurnLeft, [this] { OnTurn(-1); });
    onClick(FormControl::TurnRight, [this] { OnTurn(+1); });
    onClick(FormControl::MoveForward, [this] { OnWalk(kStepForward); });
    onClick(FormControl::MoveRight, [this] { OnWalk(kStepRight); });
    onClick(FormControl::MoveBack, [this] { OnWalk(kStepBack); });
    onClick(FormControl::MoveLeft, [this] { OnWalk(kStepLeft); });
    onClick(FormControl::EvenOdd, [this] { OnEvenOdd(); });
    onClick(FormControl::Reload, [this] { OnReload(); });
    onClick(FormControl::Export, [this] { OnExport(); });
    // The map queues this signal itself, so the render happens after its press handler.
    connect(m_wndMap, &CMapBox::mapChanged, this, &CKelView::OnMapChanged);
    connect(m_watcher, &CWallSetWatcher::settled, this, &CKelView::OnLiveReload);
    CreatePreviewMenu();
    AddLiveReloadAction();
    AddTestMapActions();
    setMinimumSize(FormSize());
    resize(FormSize());
    PlaceControls();
}

CKelView::~CKelView() = default;

void CKelView::SetSaveDialog(std::unique_ptr<ViewSaveDialog> dialog) {
    m_saveDialog = std::move(dialog);
}

// The preview's context menu is its list of actions, all added here.
void CKelView::CreatePreviewMenu() {
    m_wndPreview->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddPreviewAction(messages::kCopyViewAction, &CKelView::OnCopyView);
    AddPreviewAction(messages::kSaveViewAction, &CKelView::OnSaveView);
    auto* separator = new QAction(m_wndPreview);
    separator->setSeparator(true);
    m_wndPreview->addAction(separator);
    m_wndPreview->addAction(&m_wndPreview->showProblemsAction());
}

void CKelView::AddPreviewAction(std::string_view caption, void (CKelView::*slot)()) {
    auto* action = new QAction(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), m_wndPreview);
    connect(action, &QAction::triggered, this, slot);
    m_wndPreview->addAction(action);
}

QAbstractButton& CKelView::control(FormControl which) {
    auto* button = qobject_cast<QAbstractButton*>(m_wndControls.at(IndexOf(which)));
    Q_ASSERT_X(button != nullptr, "CKelView::control", "not a clickable control");
    return *button;
}

QSize CKelView::FormSize() const {
    return FormSizeInPixels(m_dialogBase);
}

void CKelView::PlaceControls() {
    const QSize extra = size() - FormSize();
    auto place = [&](QWidget* widget, FormControl control) {
        QRect rect = PlaceControl(control, m_dialogBase, extra);
        // Text that the template's font would have fitted must not be cut off in a wider one.
        if (control == FormControl::EvenOdd || control == FormControl::MapNote ||
            control == FormControl::Position) {
            rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        }
        widget->setGeometry(rect);
    };
    for (const TemplateEntry& entry : kFormTemplate) {
        place(m_wndControls[IndexOf(entry.control)], entry.control);
    }
}

void CKelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceControls();
}

template <typename Work>
void CKelView::Guarded(Work&& work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        // An exception must not cross Qt's event loop, and losing the window for want of memory
        // for one picture would lose the user's map too.
        m_messages.Show(WarningMessage(std::string(messages::kOutOfMemory)));
    }
}

void CKelView::AddLiveReloadAction() {
    m_actReloadAutomatically = new QAction(FromText(messages::kReloadAutomatically), this);
    m_actReloadAutomatically->setCheckable(true);
    m_actReloadAutomatically->setChecked(true);
    connect(m_actReloadAutomatically, &QAction::toggled, this,
            [this](bool on) { m_watcher->SetEnabled(on); });
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_wndPreview->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_wndPreview->addAction(separator);
    m_wndPreview->addAction(m_actReloadAutomatically);
}

void CKelView::AddTestMapActions() {
    auto add = [this](std::string_view caption, void (CKelView::*slot)()) {
        auto* action = new QAction(FromText(caption), this);
        connect(action, &QAction::triggered, this, slot);
        m_wndMap->addAction(action);
    };
    add(messages::kLoadTestMap, &CKelView::OnLoadTestMap);
    add(messages::kSaveTestMap, &CKelView::OnSaveTestMap);
    add(messages::kResetTestMap, &CKelView::OnResetTestMap);
    m_wndMap->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CKelView::SetLiveReload(bool on) {
    m_actReloadAutomatically->setChecked(on);
    m_watcher->SetEnabled(on);
}

bool CKelView::liveReload() const {
    return m_actReloadAutomatically->isChecked();
}

void CKelView::LoadAndRender() {
    m_wndPreview->SetMap(&m_wndMap->map());
    m_wndPreview->SetDocument(&m_document);
    m_bLoading = true;
    const SessionReport loaded = m_document.session().Load();
    // The boxes speak for this load; an older quiet notice would contradict them.
    m_wndPreview->SetNotice({});
    // The status line first: it is there already while a message box waits for its OK.
    emit wallSetLoaded();
    Present(m_messages, loaded);
    m_bLoading = false;
    m_wndPreview->RenderView();
    m_watcher->Watch(m_document.session().InputFiles());
}

void CKelView::OnLiveReload() {
    if (m_bLoading) {
        return;
    }
    Guarded([this] {
        WallSetSession& session = m_document.session();
        const SessionReport reloaded = session.LiveReload();
        m_wndPreview->SetNotice(NoticeText(reloaded));
        m_wndPreview->RenderView();
        emit wallSetLoaded();
        // An edited wall-set file may name other pictures now.
        m_watcher->Watch(session.InputFiles());
    });
}

void CKelView::OnLoadTestMap() {
    Guarded([this] {
        const std::optional<QString> file = m_pFileDialogs->OpenFileName(
            FromText(messages::kLoadTestMap).chopped(1), FromText(messages::kTestMapFilter));
        if (!file) {
            return;
        }
        const MapTextResult read = ReadMapFile(ToPath(*file));
        if (!read.map) {
            m_messages.Show(
                WarningMessage(messages::CannotReadTestMap(file->toStdString(), read.error)));
            return;
        }
        m_wndMap->TakeCells(*read.map);
        RefreshView();
    });
}

void CKelView::OnSaveTestMap() {
    Guarded([this] {
        const std::optional<QString> file = m_pFileDialogs->SaveFileName(
            FromText(messages::kSaveTestMap).chopped(1), FromText(messages::kTestMapFilter));
        if (!file) {
            return;
        }
        const Status written = WriteMapFile(ToPath(*file), m_wndMap->map());
        if (!written) {
            m_messages.Show(WarningMessage(messages::CannotSaveTestMap(file->toStdString()),
                                           written.reason() + "\n"));
        }
    });
}

void CKelView::OnResetTestMap() {
    Guarded([this] {
        m_wndMap->Reset();
        RefreshView();
    });
}

void CKelView::OnInitialUpdate() {
    Guarded([this] { LoadAndRender(); });
}

void CKelView::RefreshView() {
    m_wndPreview->RenderView();
    const MapState& map = m_wndMap->map();
    m_wndPosition->setText(QString::fromStdString(messages::PositionReadOut(
        map.viewerX(), map.viewerY(), DirectionLetter(map.viewerDirection()))));
}

void CKelView::OnTurn(int delta) {
    Guarded([&] {
        m_wndMap->Turn(delta);
        RefreshView();
    });
}

void CKelView::OnWalk(int step) {
    Guarded([&] {
        m_wndMap->Walk(step);
        RefreshView();
    });
}

void CKelView::OnEvenOdd() {
    Guarded([this] {
        m_bEvenOddCheck = control(FormControl::EvenOdd).isChecked();
        m_wndPreview->SetEvenOdd(m_bEvenOddCheck);
        RefreshView();
    });
}

void CKelView::OnReload() {
    Guarded([this] { LoadAndRender(); });
}

void CKelView::OnMapChanged() {
    Guarded([this] { m_wndPreview->RenderView(); });
}

void CKelView::OnExport() {
    Guarded([this] {
        const WallSetSession& session = m_document.session();
        const MessageAnswer answer = m_messages.Show(YesNoQuestion(session.ExportConfirmation()));
        Present(m_messages,
                answer == MessageAnswer::Yes ? session.Export() : session.ExportCancelled());
    });
}

void CKelView::OnCopyView() {
    const std::unique_ptr<CPaletteDib> picture = ScaleViewPicture(
        m_wndPreview->renderer().viewport(), ViewPictureAsShown(m_wndPreview->DeviceLayout()));
    if (picture) {
        QGuiApplication::clipboard()->setImage(PaletteDibToImage(*picture));
    }
}

void CKelView::OnSaveView() {
    const std::optional<ViewSaveChoice> choice =
        m_saveDialog->Ask(this, OfferedSaveScales(m_wndPreview->DeviceLayout()));
    if (!choice) {
        return;
    }
    const std::unique_ptr<CPaletteDib> picture =
        ScaleViewPicture(m_wndPreview->renderer().viewport(), ViewPictureAtScale(choice->scale));
    const Status saved = picture ? SaveViewPicture(*picture, *choice)
                                 : Status::Fail(std::string(messages::kPictureHasNoPixels));
    if (!saved) {
        m_messages.Show(
            WarningMessage(messages::ViewNotSaved(PathToUtf8(choice->file), saved.reason())));
    }
}

void CKelView::keyPressEvent(QKeyEvent* event) {
    // No control here takes typed text, so the captions' mnemonics act without Alt, from the
    // main keyboard and the keypad alike.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        for (const WalkControl& walk : kWalkControls) {
            if (event->key() == walk.key) {
                control(walk.control).click();
                event->accept();
                return;
            }
        }
    }
    if (event->key() == Qt::Key_E &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
        control(FormControl::EvenOdd).click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace orvandel
