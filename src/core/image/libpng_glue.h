#pragma once

#include <png.h>

#include <cstddef>

namespace orvandel {

// libpng's last error text, kept in a fixed buffer: the error handler leaves by longjmp, so
// it may not own memory.
struct LibpngMessage {
    char text[160] = {};
};

// Error and warning handlers for png_create_*_struct with a LibpngMessage as the error pointer.
// The error handler keeps the text and returns to the caller's setjmp; warnings are dropped,
// as a picture that decodes is judged by its pixels.
extern "C" [[noreturn]] void LibpngError(png_structp png, png_const_charp text);
extern "C" void LibpngWarning(png_structp png, png_const_charp text);

}  // namespace orvandel
