#include "gui/problems_panel.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>

#include "core/common/message_texts.h"
#include "gui/qt_text.h"

namespace orvandel {

CProblemsPanel::CProblemsPanel(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("problems"));
    setAccessibleName(ToQString(messages::kProblemsPanelName));
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* copy = new QAction(QStringLiteral("&Copy"), this);
    connect(copy, &QAction::triggered, this, &CProblemsPanel::CopyToClipboard);
    addAction(copy);
    connect(this, &QListWidget::currentRowChanged, this,
            [this](int row) { emit entryChosen(m_bAllWell ? -1 : row); });
    ShowProblems({});
}

void CProblemsPanel::ShowProblems(const std::vector<ProblemEntry>& problems) {
    const QSignalBlocker quiet(this);
    clear();
    m_bAllWell = problems.empty();
    if (m_bAllWell) {
        auto* item = new QListWidgetItem(ToQString(AllIsWellText()), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        return;
    }
    for (const ProblemEntry& entry : problems) {
        const QString text = ToQString(entry.Text());
        auto* item = new QListWidgetItem(text, this);
        item->setToolTip(text);
        item->setData(Qt::AccessibleTextRole, text);
    }
}

void CProblemsPanel::keyPressEvent(QKeyEvent* event) {
    // The list's own copy takes the current entry alone; the artist copies what is selected.
    if (event->matches(QKeySequence::Copy)) {
        CopyToClipboard();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

QString CProblemsPanel::CopiedText() const {
    QStringList lines;
    for (int row = 0; row < count(); ++row) {
        if (item(row)->isSelected()) {
            lines.push_back(item(row)->text());
        }
    }
    if (lines.isEmpty()) {
        for (int row = 0; row < count(); ++row) {
            lines.push_back(item(row)->text());
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void CProblemsPanel::CopyToClipboard() const {
    QGuiApplication::clipboard()->setText(CopiedText());
}

}  // namespace orvandel
