#include "platform/sys/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace sys {
namespace {

bool fail(std::string* error, const std::string& what, int code) {
    if (error) *error = what + ": " + std::strerror(code);
    return false;
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool isRegularFile(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool copyFile(const std::string& source, const std::string& target, bool overwrite,
              std::string* error) {
    int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return fail(error, "cannot open " + source, errno);
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        int code = errno ? errno : EISDIR;
        ::close(in);
        return fail(error, "not a regular file: " + source, code);
    }
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (overwrite ? O_TRUNC : O_EXCL);
    int out = ::open(target.c_str(), flags, st.st_mode & 0777);
    if (out < 0) {
        int code = errno;
        ::close(in);
        return fail(error, "cannot create " + target, code);
    }
    std::vector<char> buffer(1 << 16);
    bool ok = true;
    int code = 0;
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            code = errno;
            break;
        }
        if (!writeAll(out, buffer.data(), static_cast<size_t>(n))) {
            ok = false;
            code = errno;
            break;
        }
    }
    if (::close(out) != 0 && ok) {
        ok = false;
        code = errno;
    }
    ::close(in);
    if (!ok) {
        ::unlink(target.c_str());
        return fail(error, "copy to " + target + " failed", code);
    }
    return true;
}

std::string executablePath() {
    std::vector<char> buffer(4096);
    for (;;) {
        ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return {};
        if (static_cast<size_t>(n) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace sys
