#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include "core/session/wall_set_session.h"

namespace orvandel {

// Watches the files a wall set is made from and says when a change has settled: a painting
// program writes a file in several steps, so every change restarts a short wait and only a quiet
// moment counts. What to watch, and what a reload does, is the session's business.
class CWallSetWatcher : public QObject {
    Q_OBJECT

public:
    static constexpr int kSettleMilliseconds = 300;

    explicit CWallSetWatcher(QObject* parent = nullptr);

    // Watches exactly these files and folders from now on (while enabled).
    void Watch(const WallSetSession::Inputs& inputs);
    // Off: nothing is watched and no change is announced; on again: watching resumes.
    void SetEnabled(bool enabled);
    bool enabled() const { return m_bEnabled; }

    QStringList watchedFiles() const { return m_watcher.files(); }
    QStringList watchedFolders() const { return m_watcher.directories(); }

signals:
    // The watched inputs changed and have been quiet for kSettleMilliseconds.
    void settled();

private:
    // A file replaced by a rename, or deleted and written again, drops out of the watch; any
    // change is the moment to take it up again.
    void OnChange();
    // Adds whatever of the wanted files and folders exists and is not watched yet.
    void AddMissingPaths();
    void RemoveAllPaths();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QStringList m_files;
    QStringList m_folders;
    bool m_bEnabled = true;
};

}  // namespace orvandel
