#include "app/shell/tbAtomicSave.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool fail(const std::string& what, const std::string& path, std::string* error) {
    if (error) *error = what + " " + path + ": " + std::strerror(errno);
    return false;
}

}  // namespace

bool tbSaveFileAtomically(const std::string& path, std::string_view bytes, std::string* error) {
    // The process id keeps two programs saving the same file from sharing a
    // temporary.
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return fail("cannot create", temporary, error);

    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    written = written && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        if (!written) errno = savedErrno;
        fail("cannot write", temporary, error);
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        fail("cannot replace", path, error);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
