#pragma once

#include <filesystem>
#include <string>

namespace orvandel::testing {

// A name in `folder` that is not a regular file and that a careless reader could open: a new
// FIFO called `name` on POSIX (opening it waits for a writer), the NUL device on Windows (a
// device name means the device in every folder). Empty when it cannot be made.
std::filesystem::path MakeNonRegularFile(const std::filesystem::path& folder,
                                         const std::string& name);

}  // namespace orvandel::testing
