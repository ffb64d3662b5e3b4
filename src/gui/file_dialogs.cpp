#include "gui/file_dialogs.h"

#include <QFileDialog>

namespace orvandel {
namespace {

std::optional<QString> Chosen(const QString& name) {
    return name.isEmpty() ? std::nullopt : std::optional<QString>(name);
}

}  // namespace

std::optional<QString> QtFileDialogs::OpenFileName(const QString& caption, const QString& filter) {
    return Chosen(QFileDialog::getOpenFileName(m_parent, caption, QString(), filter));
}

std::optional<QString> QtFileDialogs::SaveFileName(const QString& caption, const QString& filter) {
    return Chosen(QFileDialog::getSaveFileName(m_parent, caption, QString(), filter));
}

}  // namespace orvandel
