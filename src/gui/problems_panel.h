#pragma once

#include <QListWidget>
#include <vector>

#include "desk/problem_list.h"

namespace orvandel {

// The problems panel: one entry per problem of the last load, reload, lint and export, as real
// text that can be selected, copied (Ctrl+C, or the context menu) and read by a screen reader.
// It says that all is well when there is nothing to tell. Choosing an entry is reported, so that
// the preview can mark that picture's pieces.
class CProblemsPanel : public QListWidget {
    Q_OBJECT

public:
    explicit CProblemsPanel(QWidget* parent = nullptr);

    void ShowProblems(const std::vector<ProblemEntry>& problems);
    // The selected entries' texts, one per line; all entries when none is selected.
    QString CopiedText() const;
    void CopyToClipboard() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // The entry chosen, or -1 for none.
    void entryChosen(int entry);

private:
    bool m_bAllWell = false;
};

}  // namespace orvandel
