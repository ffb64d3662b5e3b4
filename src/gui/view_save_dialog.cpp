#include "gui/view_save_dialog.h"

#include <QFileDialog>
#include <QStringList>

#include "core/common/message_texts.h"
#include "gui/gui_texts.h"
#include "qtimage/qt_file_name.h"

namespace orvandel {
namespace {

struct SaveFilter {
    PictureFormat format;
    int scale;
};

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const char* FormatName(PictureFormat format) {
    return format == PictureFormat::kPng ? "PNG" : "BMP";
}

QString EndingOf(PictureFormat format) {
    return format == PictureFormat::kPng ? QStringLiteral("png") : QStringLiteral("bmp");
}

}  // namespace

std::optional<ViewSaveChoice> QtViewSaveDialog::Ask(QWidget* parent,
                                                    const std::vector<int>& scales) {
    std::vector<SaveFilter> filters;
    QStringList names;
    for (const PictureFormat format : {PictureFormat::kPng, PictureFormat::kBmp}) {
        for (const int scale : scales) {
            filters.push_back({format, scale});
            names.push_back(
                QString::fromStdString(messages::SaveViewFilter(FormatName(format), scale)));
        }
    }
    QFileDialog dialog(parent, FromView(messages::kSaveViewTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(names);
    dialog.setDefaultSuffix(EndingOf(filters.front().format));
    // The ending follows the filter, so a bare name gets the format the user picked.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& name) {
        const qsizetype index = names.indexOf(name);
        if (index >= 0) {
            dialog.setDefaultSuffix(EndingOf(filters[static_cast<std::size_t>(index)].format));
        }
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const qsizetype index = std::max<qsizetype>(0, names.indexOf(dialog.selectedNameFilter()));
    const SaveFilter filter = filters[static_cast<std::size_t>(index)];
    const QString file = dialog.selectedFiles().front();
    PictureFormat format = filter.format;
    if (file.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) {
        format = PictureFormat::kPng;
    } else if (file.endsWith(QStringLiteral(".bmp"), Qt::CaseInsensitive)) {
        format = PictureFormat::kBmp;
    }
    return ViewSaveChoice{PathOfQtFileName(file), format, filter.scale};
}

}  // namespace orvandel
