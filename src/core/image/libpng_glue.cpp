#include "core/image/libpng_glue.h"

#include <cstring>

namespace orvandel {

void LibpngError(png_structp png, png_const_charp text) {
    auto* message = static_cast<LibpngMessage*>(png_get_error_ptr(png));
    if (message != nullptr) {
        std::strncpy(message->text, text != nullptr ? text : "", sizeof message->text - 1);
        message->text[sizeof message->text - 1] = '\0';
    }
    png_longjmp(png, 1);
}

void LibpngWarning(png_structp, png_const_charp) {}

}  // namespace orvandel
