#include "gui/kel_view.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/view/view_picture_size.h"
#include "gui/file_dialogs.h"
#include "gui/gui_texts.h"
#include "gui/kel_box.h"
#include "gui/kel_doc.h"
#include "gui/map_box.h"
#include "gui/message_presenter.h"
#include "gui/qt_text.h"
#include "gui/view_save_dialog.h"
#include "gui/walk_button.h"
#include "gui/wall_set_watcher.h"
#include "qtimage/palette_dib_image.h"
#include "qtimage/qt_file_name.h"

namespace orvandel {
namespace {

// The controls that stand for an action on the form.
struct ControlAction {
    FormControl control;
    DeskAction action;
};

// clang-format off
constexpr std::array<ControlAction, 9> kControlActions = {{
    {FormControl::TurnLeft,    DeskAction::TurnLeft},
    {FormControl::MoveForward, DeskAction::MoveForward},
    {FormControl::TurnRight,   DeskAction::TurnRight},
    {FormControl::MoveLeft,    DeskAction::MoveLeft},
    {FormControl::MoveBack,    DeskAction::MoveBack},
    {FormControl::MoveRight,   DeskAction::MoveRight},
    {FormControl::EvenOdd,     DeskAction::EvenOdd},
    {FormControl::Reload,      DeskAction::Reload},
    {FormControl::Export,      DeskAction::Export},
}};
// clang-format on

Status SaveViewPicture(const CPaletteDib& picture, const ViewSaveChoice& choice) {
    if (choice.format == PictureFormat::kPng) {
        return WritePaletteDibPng(picture, choice.file);
    }
    // The writer's own reason ("read-only: …") says more than a general failure would.
    return picture.WriteBmpFile(choice.file);
}

// Qt's filter syntax: "Test maps (*.txt);;All files (*)".
QString FilterText(const FileQuestion& question) {
    QStringList filters;
    for (const FileFilter& filter : question.filters) {
        filters.push_back(ToQString(filter.description) + " (" + ToQString(filter.pattern) + ")");
    }
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::filesystem::path> PathOf(const std::optional<QString>& name) {
    return name ? std::optional(PathOfQString(*name)) : std::nullopt;
}

}  // namespace

CKelView::CKelView(CKelDoc& document, MessagePresenter& messages, QWidget* parent)
    : QWidget(parent),
      m_messages(messages),
      m_model(document.session(), *this),
      m_wndMap(new CMapBox(m_model, this)),
      m_wndPreview(new CKelBox(m_model, this)),
      m_wndPosition(new QLabel(ToQString(ControlCaption(FormControl::Position)), this)),
      m_wndMapNote(new QLabel(ToQString(ControlCaption(FormControl::MapNote)), this)),
      m_dialogBase(DialogBaseOf(font())),
      m_watcher(new CWallSetWatcher(this)),
      m_ownFileDialogs(std::make_unique<QtFileDialogs>(this)),
      m_pFileDialogs(m_ownFileDialogs.get()),
      m_saveDialog(std::make_unique<QtViewSaveDialog>()) {
    m_clock.start();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { m_model.TimerFired(); });
    connect(m_watcher, &CWallSetWatcher::changed, this, [this] { m_model.FilesChanged(); });

    for (const ControlAction& entry : kControlActions) {
        const QString caption = ToQString(ControlCaption(entry.control));
        QAbstractButton* button = nullptr;
        if (entry.control == FormControl::EvenOdd) {
            button = new QCheckBox(caption, this);
        } else if (entry.control == FormControl::Reload || entry.control == FormControl::Export) {
            button = new QPushButton(caption, this);
        } else {
            button = new CWalkButton(caption, this);
        }
        m_wndControls[IndexOf(entry.control)] = button;
        connect(button, &QAbstractButton::clicked, this,
                [this, action = entry.action] { m_model.Act(action); });
    }
    m_wndControls[IndexOf(FormControl::Preview)] = m_wndPreview;
    m_wndControls[IndexOf(FormControl::Map)] = m_wndMap;
    m_wndControls[IndexOf(FormControl::MapNote)] = m_wndMapNote;
    m_wndControls[IndexOf(FormControl::Position)] = m_wndPosition;
    for (std::size_t i = 1; i < kTabOrder.size(); ++i) {
        setTabOrder(&control(kTabOrder[i - 1]), &control(kTabOrder[i]));
    }
    m_wndPosition->setAccessibleName(QStringLiteral("Position"));
    CreateMenus();
    setMinimumSize(FormSize());
    resize(FormSize());
    PlaceControls();
}

CKelView::~CKelView() = default;

QAction* CKelView::MakeAction(DeskAction which) {
    auto* action = new QAction(ToQString(ActionCaption(which)), this);
    action->setCheckable(IsCheckable(which));
    action->setChecked(m_model.IsChecked(which));
    connect(action, &QAction::triggered, this, [this, which] {
        if (which == DeskAction::CopyView) {
            OnCopyView();
        } else if (which == DeskAction::SaveView) {
            OnSaveView();
        } else {
            m_model.Act(which);
        }
    });
    m_actions[static_cast<std::size_t>(which)] = action;
    return action;
}

// Each box's context menu is its list of actions, all added here.
void CKelView::CreateMenus() {
    auto separator = [this] {
        auto* line = new QAction(this);
        line->setSeparator(true);
        return line;
    };
    m_wndPreview->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_wndPreview->addAction(MakeAction(DeskAction::CopyView));
    m_wndPreview->addAction(MakeAction(DeskAction::SaveView));
    m_wndPreview->addAction(separator());
    m_wndPreview->addAction(MakeAction(DeskAction::ShowProblems));
    m_wndPreview->addAction(separator());
    m_wndPreview->addAction(MakeAction(DeskAction::ReloadAutomatically));
    m_wndMap->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const DeskAction which :
         {DeskAction::LoadTestMap, DeskAction::SaveTestMap, DeskAction::ResetTestMap}) {
        m_wndMap->addAction(MakeAction(which));
    }
}

void CKelView::SetSaveDialog(std::unique_ptr<ViewSaveDialog> dialog) {
    m_saveDialog = std::move(dialog);
}

QAbstractButton& CKelView::control(FormControl which) {
    auto* button = qobject_cast<QAbstractButton*>(m_wndControls.at(IndexOf(which)));
    Q_ASSERT_X(button != nullptr, "CKelView::control", "not a clickable control");
    return *button;
}

QAction& CKelView::action(DeskAction which) {
    QAction* found = m_actions.at(static_cast<std::size_t>(which));
    Q_ASSERT_X(found != nullptr, "CKelView::action", "not in a menu");
    return *found;
}

QSize CKelView::FormSize() const {
    return FormSizeInPixels(m_dialogBase);
}

void CKelView::PlaceControls() {
    const QSize extra = size() - FormSize();
    for (const TemplateEntry& entry : kFormTemplate) {
        QWidget* widget = m_wndControls[IndexOf(entry.control)];
        QRect rect = PlaceControl(entry.control, m_dialogBase, extra);
        // Text that the template's font would have fitted must not be cut off in a wider one.
        if (entry.control == FormControl::EvenOdd || entry.control == FormControl::MapNote ||
            entry.control == FormControl::Position) {
            rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        }
        widget->setGeometry(rect);
    }
}

void CKelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceControls();
}

void CKelView::OnInitialUpdate() {
    m_model.InitialUpdate();
}

void CKelView::OnCopyView() {
    const std::unique_ptr<CPaletteDib> picture = m_model.ViewPictureAsShown();
    if (picture) {
        QGuiApplication::clipboard()->setImage(PaletteDibToImage(*picture));
    }
}

void CKelView::OnSaveView() {
    const std::optional<ViewSaveChoice> choice =
        m_saveDialog->Ask(this, OfferedSaveScales(m_model.PreviewLayout()));
    if (!choice) {
        return;
    }
    const std::unique_ptr<CPaletteDib> picture =
        ScaleViewPicture(m_model.renderer().viewport(), ViewPictureAtScale(choice->scale));
    const Status saved = picture ? SaveViewPicture(*picture, *choice)
                                 : Status::Fail(std::string(messages::kPictureHasNoPixels));
    if (!saved) {
        m_messages.Show(
            WarningMessage(messages::ViewNotSaved(PathToUtf8(choice->file), saved.reason())));
    }
}

void CKelView::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    DeskKey key;
    key.character = text.size() == 1 ? text.at(0).unicode() : 0;
    const int code = event->key();
    if (code >= Qt::Key_0 && code <= Qt::Key_9) {
        key.character = U'0' + static_cast<char32_t>(code - Qt::Key_0);
    } else if (code >= Qt::Key_A && code <= Qt::Key_Z) {
        key.character = U'A' + static_cast<char32_t>(code - Qt::Key_A);
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    key.keypad = modifiers.testFlag(Qt::KeypadModifier);
    key.modifiers = (modifiers.testFlag(Qt::ShiftModifier) ? kShiftModifier : 0u) |
                    (modifiers.testFlag(Qt::ControlModifier) ? kControlModifier : 0u) |
                    (modifiers.testFlag(Qt::AltModifier) ? kAltModifier : 0u) |
                    (modifiers.testFlag(Qt::MetaModifier) ? kMetaModifier : 0u);
    if (const std::optional<DeskAction> action = ActionForKey(key)) {
        // The key presses its control, as the caption's mnemonic would.
        for (const ControlAction& entry : kControlActions) {
            if (entry.action == *action) {
                control(entry.control).click();
                event->accept();
                return;
            }
        }
    }
    QWidget::keyPressEvent(event);
}

MessageAnswer CKelView::ShowMessage(const MessageRequest& request) {
    return m_messages.Show(request);
}

std::optional<std::filesystem::path> CKelView::ChooseFileToOpen(const FileQuestion& question) {
    return PathOf(m_pFileDialogs->OpenFileName(ToQString(question.title), FilterText(question)));
}

std::optional<std::filesystem::path> CKelView::ChooseFileToSave(const FileQuestion& question) {
    return PathOf(m_pFileDialogs->SaveFileName(ToQString(question.title), FilterText(question)));
}

void CKelView::Refresh(unsigned parts) {
    if ((parts & kPreviewPart) != 0) {
        // Only the viewport's rectangle: the gray ring around it never changes.
        const QRect view = m_wndPreview->LogicalViewRect();
        if (!view.isEmpty()) {
            m_wndPreview->update(view);
        }
    }
    if ((parts & kMapPart) != 0) {
        m_wndMap->update(m_wndMap->gridRect());
    }
    if ((parts & kPositionPart) != 0) {
        m_wndPosition->setText(ToQString(m_model.PositionText()));
    }
    if ((parts & kActionsPart) != 0) {
        control(FormControl::EvenOdd).setChecked(m_model.evenOdd());
        for (std::size_t i = 0; i < m_actions.size(); ++i) {
            if (m_actions[i] != nullptr && m_actions[i]->isCheckable()) {
                m_actions[i]->setChecked(m_model.IsChecked(static_cast<DeskAction>(i)));
            }
        }
    }
    emit modelChanged(parts);
}

void CKelView::Watch(const WatchList& watch) {
    m_watcher->Watch(watch);
}

void CKelView::StartTimer(int milliseconds) {
    m_timer.start(milliseconds);
}

void CKelView::StopTimer() {
    m_timer.stop();
}

std::int64_t CKelView::NowMilliseconds() {
    return m_clock.elapsed();
}

}  // namespace orvandel
