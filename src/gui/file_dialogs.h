#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>

namespace orvandel {

// Where the program asks for a file name. The program shows Qt's dialogs; widget tests answer
// from a script instead of blocking on a modal dialog.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Empty when the user cancels.
    virtual std::optional<QString> OpenFileName(const QString& caption, const QString& filter) = 0;
    virtual std::optional<QString> SaveFileName(const QString& caption, const QString& filter) = 0;
};

class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    std::optional<QString> OpenFileName(const QString& caption, const QString& filter) override;
    std::optional<QString> SaveFileName(const QString& caption, const QString& filter) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace orvandel
