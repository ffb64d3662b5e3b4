#include "gui/kel_view.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/common/message_texts.h"
#include "core/common/path_text.h"
#include "core/export/export_wall_pieces.h"
#include "gui/home_folder.h"
#include "gui/kel_box.h"
#include "gui/kel_doc.h"
#include "gui/map_box.h"
#include "gui/message_presenter.h"
#include "gui/walk_button.h"

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

std::size_t IndexOf(FormControl control) {
    return static_cast<std::size_t>(control);
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
      m_dialogBase(DialogBaseOf(font())) {
    for (const WalkControl& walk : kWalkControls) {
        m_buttons[IndexOf(walk.control)] = new CWalkButton(QString::fromLatin1(walk.caption), this);
    }
    m_buttons[IndexOf(FormControl::EvenOdd)] =
        new QCheckBox(QStringLiteral("Enable &Even/Odd simulation"), this);
    m_buttons[IndexOf(FormControl::Reload)] =
        new QPushButton(QStringLiteral("Reload palette and bitmap files"), this);
    m_buttons[IndexOf(FormControl::Export)] =
        new QPushButton(QStringLiteral("Export Pelorim for Vantrelle"), this);
    for (std::size_t i = 1; i < m_buttons.size(); ++i) {
        setTabOrder(m_buttons[i - 1], m_buttons[i]);
    }

    connect(m_buttons[IndexOf(FormControl::TurnLeft)], &QAbstractButton::clicked, this,
            [this] { OnTurn(-1); });
    connect(m_buttons[IndexOf(FormControl::TurnRight)], &QAbstractButton::clicked, this,
            [this] { OnTurn(+1); });
    connect(m_buttons[IndexOf(FormControl::MoveForward)], &QAbstractButton::clicked, this,
            [this] { OnWalk(kStepForward); });
    connect(m_buttons[IndexOf(FormControl::MoveRight)], &QAbstractButton::clicked, this,
            [this] { OnWalk(kStepRight); });
    connect(m_buttons[IndexOf(FormControl::MoveBack)], &QAbstractButton::clicked, this,
            [this] { OnWalk(kStepBack); });
    connect(m_buttons[IndexOf(FormControl::MoveLeft)], &QAbstractButton::clicked, this,
            [this] { OnWalk(kStepLeft); });
    connect(m_buttons[IndexOf(FormControl::EvenOdd)], &QAbstractButton::clicked, this,
            &CKelView::OnEvenOdd);
    connect(m_buttons[IndexOf(FormControl::Reload)], &QAbstractButton::clicked, this,
            &CKelView::OnReload);
    connect(m_buttons[IndexOf(FormControl::Export)], &QAbstractButton::clicked, this,
            &CKelView::OnExport);
    // The map queues this signal itself, so the render happens after its press handler.
    connect(m_wndMap, &CMapBox::mapChanged, this, &CKelView::OnMapChanged);

    setMinimumSize(FormSize());
    resize(FormSize());
    PlaceControls();
}

QAbstractButton& CKelView::control(FormControl which) {
    return *m_buttons.at(IndexOf(which));
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
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        place(m_buttons[i], static_cast<FormControl>(i));
    }
    place(m_wndPreview, FormControl::Preview);
    place(m_wndMap, FormControl::Map);
    place(m_wndMapNote, FormControl::MapNote);
    place(m_wndPosition, FormControl::Position);
}

void CKelView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceControls();
}

void CKelView::LinkPreview() {
    m_wndPreview->SetMap(&m_wndMap->map());
    m_wndPreview->SetDocument(&m_document);
}

void CKelView::LoadWallSet() {
    const LoadReport report = m_wndPreview->LoadWallSet(g_homeFolder);
    if (const auto text = report.Message()) {
        m_messages.Show(WarningMessage(*text, report.Details()));
    }
}

void CKelView::OnInitialUpdate() {
    LinkPreview();
    LoadWallSet();
    m_wndPreview->RenderView();
}

void CKelView::RefreshView() {
    m_wndPreview->RenderView();
    const MapState& map = m_wndMap->map();
    m_wndPosition->setText(QString::fromStdString(messages::PositionReadOut(
        map.viewerX(), map.viewerY(), DirectionLetter(map.viewerDirection()))));
}

void CKelView::OnTurn(int delta) {
    m_wndMap->Turn(delta);
    RefreshView();
}

void CKelView::OnWalk(int step) {
    m_wndMap->Walk(step);
    RefreshView();
}

void CKelView::OnEvenOdd() {
    m_bEvenOddCheck = m_buttons[IndexOf(FormControl::EvenOdd)]->isChecked();
    m_wndPreview->SetEvenOdd(m_bEvenOddCheck);
    RefreshView();
}

void CKelView::OnReload() {
    LinkPreview();
    LoadWallSet();
    m_wndPreview->RenderView();
}

void CKelView::OnMapChanged() {
    m_wndPreview->RenderView();
}

void CKelView::OnExport() {
    const auto answer = m_messages.Show(YesNoQuestion(messages::ExportConfirmation(g_homeFolder)));
    if (answer != MessageAnswer::Yes) {
        m_messages.Show(WarningMessage(std::string(messages::kExportCancelled)));
        return;
    }
    const ExportReport report =
        ExportWallPieces(m_wndPreview->wallSet(), PathFromUtf8(g_homeFolder));
    if (const auto failure = report.FailureMessage()) {
        m_messages.Show(WarningMessage(*failure));
    }
    m_messages.Show(InformationMessage(std::string(messages::kExportFinished)));
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
