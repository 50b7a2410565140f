#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace karmo {

// Joins a directory and a file name with "/", adding no separator when the directory
// already ends with one; an empty directory gives the bare name.
std::string JoinPath(std::string_view dir, std::string_view name);

// Replaces the file at path as a whole: the content goes to a temporary file in the same
// directory, which is flushed, closed and renamed over the target. On any failure the
// temporary file is removed, the old file stays as it was, and the file's name followed by
// the system's description of the error is returned ("Karmo.cfg: Read-only file system");
// an empty result means success. The writer may throw
// std::exception to abort; its what() becomes the result.
std::string ReplaceFileAtomically(const std::string& path,
                                  const std::function<void(std::ostream&)>& write);
std::string ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace karmo
