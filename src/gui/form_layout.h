#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "core/common/geometry.h"
#include "desk/form_template.h"

namespace orvandel {

// The form template's arithmetic (desk/form_template.h) in Qt's terms.
DialogBase DialogBaseOf(const QFont& font);
QRect ToQRect(const Rect& rect);
QSize FormSizeInPixels(const DialogBase& base);
QRect PlaceControl(FormControl control, const DialogBase& base, QSize extra);

}  // namespace orvandel
