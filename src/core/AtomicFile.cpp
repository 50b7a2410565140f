#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace karmo {

std::string JoinPath(std::string_view dir, std::string_view name) {
    std::string p(dir);
    if (!p.empty() && p.back() != '/') p += '/';
    p += name;
    return p;
}

namespace {

std::string errnoText(int err) {
    // A stream failure without errno (a full buffer at close, say) still needs a text.
    return std::strerror(err != 0 ? err : EIO);
}

std::string tempNameFor(const std::string& path) {
    std::random_device rd;
    std::uniform_int_distribution<unsigned> dist(0, 0xFFFFFF);
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%06x~", dist(rd));
    return path + suffix;
}

// The data must be on disk before the rename makes it the file, or a crash could leave
// an empty file in place of the old one.
std::string syncToDisk(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return errnoText(errno);
    std::string error;
    if (::fsync(fd) != 0) error = errnoText(errno);
    ::close(fd);
    return error;
}

}  // namespace

std::string ReplaceFileAtomically(const std::string& path,
                                  const std::function<void(std::ostream&)>& write) {
    namespace fs = std::filesystem;
    const std::string temp = tempNameFor(path);
    std::string error;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return fs::path(path).filename().string() + ": " + errnoText(errno);
        try {
            // errno is read right after the first failing call, so a full disk is reported
            // as such and not as whatever a later call left behind.
            write(out);
            if (!out) error = errnoText(errno);
            if (error.empty()) {
                out.flush();
                if (!out) error = errnoText(errno);
            }
            if (error.empty()) {
                out.close();
                if (out.fail()) error = errnoText(errno);
            }
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    if (error.empty()) error = syncToDisk(temp);
    std::error_code ec;
    if (error.empty()) {
        fs::rename(temp, path, ec);
        if (ec) error = ec.message();
    }
    if (!error.empty()) {
        fs::remove(temp, ec);
        // The user learns which file could not be written, not only why.
        error = fs::path(path).filename().string() + ": " + error;
    }
    return error;
}

std::string ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    return ReplaceFileAtomically(path, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

}  // namespace karmo
