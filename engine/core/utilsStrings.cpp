#include "engine/core/utilsStrings.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace utils {
namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

bool isDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// The name without its copy number when it already names a copy: "Wing Copy"
// and "Wing Copy 3" give "Wing Copy"; anything else gives an empty string.
std::string copyBase(const std::string& name) {
    const std::string marker = " Copy";
    size_t at = name.rfind(marker);
    if (at == std::string::npos) return {};
    size_t end = at + marker.size();
    std::string rest = name.substr(end);
    if (rest.empty() || (rest[0] == ' ' && isDigits(rest.substr(1)))) return name.substr(0, end);
    return {};
}

}  // namespace

// ---- Paths

std::string stripExtension(std::string path) {
    if (path.size() >= 4 && path[path.size() - 4] == '.') path.resize(path.size() - 4);
    return path;
}

std::string getDirectory(std::string path) {
    size_t start = (!path.empty() && path[0] == '"') ? 1 : 0;
    size_t end = std::string::npos;
    for (size_t i = path.size(); i > start; --i) {
        if (isSeparator(path[i - 1])) {
            end = i - 1;
            break;
        }
    }
    if (end == std::string::npos) return "./";
    std::string folder = path.substr(start, end - start);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return folder + "/";
}

std::string joinPath(const std::string& folder, const std::string& relative) {
    if (folder.empty() || isSeparator(folder.back())) return folder + relative;
    return folder + "/" + relative;
}

std::string getFileName(std::string path) {
    size_t at = path.find_last_of("/\\");
    return at == std::string::npos ? path : path.substr(at + 1);
}

std::string getExtension(std::string path, int caseMode) {
    std::string extension = "  ";
    for (size_t letters = 3; letters >= 1; --letters) {
        if (path.size() > letters + 1 && path[path.size() - letters - 1] == '.') {
            extension = path.substr(path.size() - letters);
            break;
        }
    }
    return convertCase(extension, caseMode);
}

// ---- Text

std::string convertCase(std::string text, int mode) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    switch (mode) {
        case 0: std::transform(text.begin(), text.end(), text.begin(), lower); break;
        case 1: if (!text.empty()) text[0] = upper(text[0]); break;
        case 2: std::transform(text.begin(), text.end(), text.begin(), upper); break;
        default: break;
    }
    return text;
}

std::string cropString(std::string text, int n, bool keepStart) {
    size_t count = n < 0 ? 0 : std::min(static_cast<size_t>(n), text.size());
    return keepStart ? text.substr(0, count) : text.substr(count);
}

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string text(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(text.data(), text.size() + 1, fmt, args);
    va_end(args);
    return text;
}

std::string toString(const char* text) { return text ? std::string(text) : std::string(); }
std::string toString(double value) { return format("%0.5f", value); }
std::string toString(int value) { return format("%d", value); }
std::string toString(const d3dx::Vector2& v) { return format("[%0.4f,%0.4f]", v.x, v.y); }

std::string formatDate(const std::tm& time) {
    return format("%02d/%02d/%02d", time.tm_mday, time.tm_mon + 1, time.tm_year + 1900);
}

std::string formatTime(const std::tm& time) {
    return format("%02d:%02d:%02d", time.tm_hour, time.tm_min, time.tm_sec);
}

namespace {
std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
}  // namespace

std::string getDateString() { return formatDate(localNow()); }
std::string getTimeString() { return formatTime(localNow()); }

std::string floatToShortString(float value) {
    std::string text = format("%f", static_cast<double>(value));
    size_t dot = text.find('.');
    if (dot == std::string::npos) return text;
    size_t first = text.find_first_of("123456789", dot + 1);
    if (first == std::string::npos) return text.substr(0, dot + 2);
    size_t keep = first + 1;
    if (keep < text.size() && text[keep] != '0') ++keep;
    return text.substr(0, keep);
}

std::string formatValueForRange(float value, float min, float max) {
    float range = max > min ? max - min : min - max;
    double v = value;
    if (range >= 100.0f || value >= 100.0f) return format("%0.0f", v);
    if (range >= 1.0f) return format("%0.1f", v);
    return format("%0.2f", v);
}

// ---- Names of duplicates

std::string makeUniqueCopyName(std::string name, const std::vector<std::string>& names) {
    if (!contains(names, name)) return name;
    std::string base = copyBase(name);
    if (base.empty()) {
        base = name + " Copy";
        if (!contains(names, base)) return base;
    }
    // Counting has no upper end: the list is finite, so a free number exists.
    for (long k = 2;; ++k) {
        std::string candidate = base + " " + std::to_string(k);
        if (!contains(names, candidate)) return candidate;
    }
}

}  // namespace utils
