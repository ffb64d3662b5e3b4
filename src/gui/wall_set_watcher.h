#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>

#include "desk/desk_delegate.h"

namespace orvandel {

// Watches the files and folders the window model names and says when any of them changed. What
// to watch, when a change is complete and what a reload does is the model's business.
class CWallSetWatcher : public QObject {
    Q_OBJECT

public:
    explicit CWallSetWatcher(QObject* parent = nullptr);

    // Watches exactly these from now on; an empty list watches nothing.
    void Watch(const WatchList& watch);

    QStringList watchedFiles() const { return m_watcher.files(); }
    QStringList watchedFolders() const { return m_watcher.directories(); }

signals:
    void changed();

private:
    // A file replaced by a rename, or a folder deleted and made again or replaced by a link,
    // leaves a watch on something that is no longer there under its name: every change is the
    // moment to watch the names afresh.
    void OnChange();
    void WatchNamesAfresh();

    QFileSystemWatcher m_watcher;
    QStringList m_files;
    QStringList m_folders;
};

}  // namespace orvandel
