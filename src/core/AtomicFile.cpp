#include "core/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

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

}  // namespace

std::string ReplaceFileAtomically(const std::string& path,
                                  const std::function<void(std::ostream&)>& write) {
    namespace fs = std::filesystem;
    const std::string temp = tempNameFor(path);
    std::string error;
    {
        errno = 0;
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return errnoText(errno);
        try {
            write(out);
            errno = 0;
            out.flush();
            if (!out) error = errnoText(errno);
            if (error.empty()) {
                errno = 0;
                out.close();
                if (out.fail()) error = errnoText(errno);
            }
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    std::error_code ec;
    if (error.empty()) {
        fs::rename(temp, path, ec);
        if (ec) error = ec.message();
    }
    if (!error.empty()) fs::remove(temp, ec);
    return error;
}

std::string ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    return ReplaceFileAtomically(path, [bytes](std::ostream& out) {
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    });
}

}  // namespace karmo
