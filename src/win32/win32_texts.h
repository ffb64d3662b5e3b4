#pragma once

#include <string>
#include <string_view>

// orvandel.exe's own words, beside the core's texts and in their namespace.
namespace orvandel::messages {

// --register and --unregister: Explorer's file type for wall-set files.
inline constexpr std::string_view kFileTypeRegistered =
    "Explorer now opens .Pelorim files with Orvandel (for you only).";
inline constexpr std::string_view kFileTypeUnregistered =
    "Explorer no longer opens .Pelorim files with Orvandel.";

inline std::string FileTypeNotChanged(std::string_view reason) {
    return "The .Pelorim file type could not be changed: " + std::string(reason);
}

}  // namespace orvandel::messages
