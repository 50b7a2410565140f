#include "database/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/AtomicFile.h"

namespace karmo {

namespace {

FileError errnoError(int err) {
    if (err == 0) err = EIO;
    return FileError{err, std::strerror(err)};
}

}  // namespace

bool FileOps::exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

FileError FileOps::write(const std::string& path, std::string_view bytes) {
    std::string error = ReplaceFileAtomically(path, bytes);
    if (error.empty()) return {};
    return FileError{EIO, std::move(error)};
}

FileError FileOps::copy(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (std::filesystem::is_directory(from, ec)) return errnoError(EISDIR);
    errno = 0;
    std::ifstream in(from, std::ios::binary);
    if (!in) return errnoError(errno != 0 ? errno : ENOENT);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return errnoError(errno);
    return FileOps::write(to, bytes);   // one step, whatever a subclass adds
}

FileError FileOps::rename(const std::string& from, const std::string& to) {
    errno = 0;
    if (std::rename(from.c_str(), to.c_str()) != 0) return errnoError(errno);
    return {};
}

FileError FileOps::remove(const std::string& path) {
    errno = 0;
    if (std::remove(path.c_str()) != 0) return errnoError(errno);
    return {};
}

FileOps& SystemFileOps() {
    static FileOps ops;
    return ops;
}

}  // namespace karmo
