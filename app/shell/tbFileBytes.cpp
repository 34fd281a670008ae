#include "app/shell/tbFileBytes.h"

#include <cstdio>
#include <memory>

bool tbReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes) {
    bytes.clear();
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file.get());
    if (size < 0 || uint64_t(size) > maxBytes || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    bytes.resize(size_t(size));
    if (size > 0 && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}
