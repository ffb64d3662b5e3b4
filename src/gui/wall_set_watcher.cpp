#include "gui/wall_set_watcher.h"

#include <QFileInfo>

#include "gui/qt_text.h"

namespace orvandel {

CWallSetWatcher::CWallSetWatcher(QObject* parent) : QObject(parent) {
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CWallSetWatcher::OnChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CWallSetWatcher::OnChange);
}

void CWallSetWatcher::Watch(const WatchList& watch) {
    m_files.clear();
    m_folders.clear();
    for (const std::filesystem::path& file : watch.files) {
        m_files.push_back(PathToQString(file));
    }
    for (const std::filesystem::path& folder : watch.folders) {
        m_folders.push_back(PathToQString(folder));
    }
    WatchNamesAfresh();
}

void CWallSetWatcher::WatchNamesAfresh() {
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty()) {
        m_watcher.removePaths(watched);
    }
    QStringList wanted;
    for (const QString& file : m_files) {
        if (QFileInfo::exists(file)) {
            wanted.push_back(file);
        }
    }
    for (const QString& folder : m_folders) {
        if (QFileInfo(folder).isDir()) {
            wanted.push_back(folder);
        }
    }
    if (!wanted.isEmpty()) {
        m_watcher.addPaths(wanted);
    }
}

void CWallSetWatcher::OnChange() {
    WatchNamesAfresh();
    emit changed();
}

}  // namespace orvandel
