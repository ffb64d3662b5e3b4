#include "gui/form_layout.h"

#include <QFontMetrics>
#include <QString>

namespace orvandel {

DialogBase DialogBaseOf(const QFont& font) {
    const QFontMetrics metrics(font);
    static const QString kAlphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return DialogBaseOf(metrics.horizontalAdvance(kAlphabet), metrics.height());
}

QRect ToQRect(const Rect& rect) {
    return {QPoint(rect.left, rect.top), QSize(rect.width(), rect.height())};
}

QSize FormSizeInPixels(const DialogBase& base) {
    return ToQRect(FormRectInPixels(base)).size();
}

QRect PlaceControl(FormControl control, const DialogBase& base, QSize extra) {
    return ToQRect(PlaceControl(control, base, extra.width(), extra.height()));
}

}  // namespace orvandel
