#pragma once
#include <string>
#include <string_view>

namespace karmo {

// The outcome of one file operation: 0 and an empty text on success, otherwise the system's
// error number and its description.
struct FileError {
    int code = 0;
    std::string text;
    explicit operator bool() const { return code != 0; }
};

// The file operations a database save is made of. The save goes through this seam so that
// a failure (or an interruption) can be put at every single step in tests.
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual bool exists(const std::string& path);
    // Replaces path as a whole with bytes (temporary file in the same directory, renamed).
    virtual FileError write(const std::string& path, std::string_view bytes);
    // Replaces to as a whole with a copy of from.
    virtual FileError copy(const std::string& from, const std::string& to);
    // Renames from to to, replacing to in one step.
    virtual FileError rename(const std::string& from, const std::string& to);
    virtual FileError remove(const std::string& path);
};

// The operations on the real file system.
FileOps& SystemFileOps();

}  // namespace karmo
