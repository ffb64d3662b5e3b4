#include "gui/form_layout.h"

#include <QFontMetrics>
#include <QString>

namespace orvandel {
namespace {

// Rounds half away from zero, as dialog-unit conversion always has.
int ScaleRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

DialogBase DialogBaseOf(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int alphabetWidth = metrics.horizontalAdvance(kAlphabet);
    return {(alphabetWidth + 26) / 52, metrics.height()};
}

QRect DialogToPixels(const DialogRect& rect, const DialogBase& base) {
    return {ScaleRounded(rect.left, base.charWidth, 4), ScaleRounded(rect.top, base.charHeight, 8),
            ScaleRounded(rect.width, base.charWidth, 4),
            ScaleRounded(rect.height, base.charHeight, 8)};
}

QSize FormSizeInPixels(const DialogBase& base) {
    return DialogToPixels(kFormDialogRect, base).size();
}

QRect PlaceControl(FormControl control, const DialogBase& base, QSize extra) {
    const int extraWidth = std::max(0, extra.width());
    const int extraHeight = std::max(0, extra.height());
    const DialogRect& preview = TemplateRect(FormControl::Preview);
    const DialogRect& map = TemplateRect(FormControl::Map);
    const int previewGrowth = extraWidth * preview.width / (preview.width + map.width);
    const int mapGrowth = extraWidth - previewGrowth;

    QRect rect = DialogToPixels(TemplateRect(control), base);
    switch (control) {
        case FormControl::Preview:
            rect.setSize(rect.size() + QSize(previewGrowth, extraHeight));
            break;
        case FormControl::Map:
            rect.translate(previewGrowth, 0);
            rect.setSize(rect.size() + QSize(mapGrowth, extraHeight));
            break;
        case FormControl::Reload:
        case FormControl::Export:
        case FormControl::MapNote:
            rect.translate(previewGrowth, extraHeight);
            break;
        default:
            rect.translate(0, extraHeight);
            break;
    }
    return rect;
}

}  // namespace orvandel
