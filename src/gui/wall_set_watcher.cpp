#include "gui/wall_set_watcher.h"

#include <QFile>
#include <QFileInfo>

#include "qtimage/qt_file_name.h"

namespace orvandel {
namespace {

QString ToQString(const std::filesystem::path& path) {
    return QtFileName(path);
}

}  // namespace

CWallSetWatcher::CWallSetWatcher(QObject* parent) : QObject(parent) {
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &CWallSetWatcher::settled);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CWallSetWatcher::OnChange);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CWallSetWatcher::OnChange);
}

void CWallSetWatcher::Watch(const WallSetSession::Inputs& inputs) {
    m_files.clear();
    m_folders.clear();
    for (const std::filesystem::path& file : inputs.files) {
        m_files.push_back(ToQString(file));
    }
    for (const std::filesystem::path& folder : inputs.folders) {
        m_folders.push_back(ToQString(folder));
    }
    RemoveAllPaths();
    if (m_bEnabled) {
        AddMissingPaths();
    }
}

void CWallSetWatcher::SetEnabled(bool enabled) {
    m_bEnabled = enabled;
    RemoveAllPaths();
    if (enabled) {
        AddMissingPaths();
    } else {
        m_settle.stop();
    }
}

void CWallSetWatcher::RemoveAllPaths() {
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty()) {
        m_watcher.removePaths(watched);
    }
}

void CWallSetWatcher::AddMissingPaths() {
    const QStringList files = m_watcher.files();
    const QStringList folders = m_watcher.directories();
    QStringList wanted;
    for (const QString& file : m_files) {
        if (!files.contains(file) && QFileInfo::exists(file)) {
            wanted.push_back(file);
        }
    }
    for (const QString& folder : m_folders) {
        if (!folders.contains(folder) && QFileInfo(folder).isDir()) {
            wanted.push_back(folder);
        }
    }
    if (!wanted.isEmpty()) {
        m_watcher.addPaths(wanted);
    }
}

void CWallSetWatcher::OnChange() {
    if (!m_bEnabled) {
        return;
    }
    AddMissingPaths();
    m_settle.start();
}

}  // namespace orvandel
