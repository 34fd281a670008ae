#include "app/shell/CDlgFileBrowserModel.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "platform/sys/files.h"
#include "platform/sys/folders.h"
#include "platform/ui/messageBox.h"

namespace shell {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Bytes compare unsigned, so UTF-8 names sort after the ASCII ones.
bool lessWithoutCase(const std::string& a, const std::string& b) {
    const auto byLower = [](char x, char y) {
        return static_cast<unsigned char>(lower(x)) < static_cast<unsigned char>(lower(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower)) return false;
    return a < b;
}

bool endsWithoutCase(const std::string& text, const std::string& tail) {
    if (tail.size() > text.size()) return false;
    return std::equal(tail.begin(), tail.end(), text.end() - static_cast<std::ptrdiff_t>(tail.size()),
                      [](char x, char y) { return lower(x) == lower(y); });
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The extension a save adds for a pattern ("*.bmp" gives "bmp"; "*.*" none).
std::string extensionOfPattern(const std::string& pattern) {
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0 || pattern == "*.*") return {};
    return pattern.substr(2);
}

const char* const kHiddenName =
    "A file name cannot be empty or begin with \".\": such a file is hidden and would not be listed.\nPlease type "
    "another name.";

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<std::string> splitPath(const std::string& path) {
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : path) {
        if (c == '/' || c == '\\') {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.push_back(piece);
    return pieces;
}

std::vector<std::string> splitFilterPatterns(const std::string& entry) {
    std::vector<std::string> patterns;
    std::string pattern;
    for (char c : entry) {
        if (c == ' ') continue;
        if (c == ';') {
            patterns.push_back(pattern);
            pattern.clear();
        } else {
            pattern += c;
        }
    }
    if (!pattern.empty()) patterns.push_back(pattern);
    return patterns;
}

bool matchesPattern(const std::string& fileName, const std::string& pattern) {
    if (pattern == "*.*") return true;
    const std::string extension = extensionOfPattern(pattern);
    if (extension.empty()) return false;
    return fileName.size() > extension.size() + 1 && endsWithoutCase(fileName, "." + extension);
}

FolderListing listFolder(const std::string& folder, const std::string& filterEntry) {
    FolderListing listing;
    const std::vector<std::string> patterns = splitFilterPatterns(filterEntry);
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code kindError;
        if (it->is_directory(kindError)) {
            listing.folders.push_back(std::move(name));
            continue;
        }
        const bool matches = std::any_of(patterns.begin(), patterns.end(),
                                         [&](const std::string& p) { return matchesPattern(name, p); });
        if (matches) listing.files.push_back(std::move(name));
    }
    std::sort(listing.folders.begin(), listing.folders.end(), lessWithoutCase);
    std::sort(listing.files.begin(), listing.files.end(), lessWithoutCase);
    return listing;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string parentFolder(const std::string& folder) {
    const std::string path = withoutTrailingSlashes(folder);
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return path;
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileBrowserModel::FileBrowserModel(std::string* result, const std::vector<std::string>& filters,
                                   const std::string& folder, bool saveMode)
    : result_(result), fileTypes_(filters), startFolder_(withoutTrailingSlashes(folder)), saveMode_(saveMode) {
    fileTypes_.push_back(kAllFiles);
    std::sort(fileTypes_.begin(), fileTypes_.end());
    currentFolder_ = startFolder_;
}

void FileBrowserModel::open() {
    editText_ = *result_;
    currentFolder_ = startFolder_;
    fillLookIn();
    chooseLookIn(selectedLookIn_);
}

void FileBrowserModel::fillLookIn() {
    lookIn_.clear();
    auto add = [this](const std::string& text, const std::string& path) {
        for (const LookInEntry& entry : lookIn_) {
            if (entry.path == path) return;
        }
        lookIn_.push_back({text, path});
    };
    add("/", "/");
    // The folders of the current path, the deepest first, right below the root.
    std::string path = currentFolder_;
    while (!path.empty() && path != "/" && path != parentFolder(path)) {
        add(fileNameOf(path), path);
        path = parentFolder(path);
    }
    selectedLookIn_ = 0;
    for (size_t i = 0; i < lookIn_.size(); ++i) {
        if (lookIn_[i].path == currentFolder_) selectedLookIn_ = static_cast<int>(i);
    }
    const std::pair<const char*, std::string> places[] = {
        {"Home", sys::homeFolder()},          {"Desktop", sys::desktopFolder()},
        {"Documents", sys::documentsFolder()}, {"Pictures", sys::picturesFolder()},
        {"Application data", sys::localAppDataFolder()},
    };
    for (const auto& [text, place] : places) {
        if (sys::isDirectory(place)) add(text, place);
    }
}

void FileBrowserModel::chooseLookIn(int index) {
    if (index < 0 || index >= static_cast<int>(lookIn_.size())) return;
    currentFolder_ = lookIn_[index].path;
    refresh(true);
}

void FileBrowserModel::goUp() {
    const std::string from = currentFolder_;
    currentFolder_ = parentFolder(currentFolder_);
    if (g_console) g_console->printString("folder: " + from + " -> " + currentFolder_ + "\n");
    refresh(true);
}

void FileBrowserModel::chooseFileType(int index) {
    if (index < 0 || index >= static_cast<int>(fileTypes_.size())) return;
    selectedFileType_ = index;
    refresh(false);
}

const std::string& FileBrowserModel::fileTypeFilter() const {
    static const std::string all = "*.*";
    const std::string& entry = fileTypes_[selectedFileType_];
    return entry == kAllFiles ? all : entry;
}

void FileBrowserModel::refresh(bool refillLookIn) {
    const FolderListing listing = listFolder(currentFolder_, fileTypeFilter());
    rows_.clear();
    rows_.reserve(listing.folders.size() + listing.files.size());
    for (const std::string& name : listing.folders) rows_.push_back({name, joinPath(currentFolder_, name), true});
    for (const std::string& name : listing.files) rows_.push_back({name, joinPath(currentFolder_, name), false});
    if (!refillLookIn) return;
    fillLookIn();
    typed(editText_);
}

bool FileBrowserModel::doubleClick(const std::vector<int>& selected) {
    const FileRow* lastFolder = nullptr;
    for (int index : selected) {
        if (index < 0 || index >= static_cast<int>(rows_.size())) continue;
        if (!rows_[index].folder) {
            click({index});
            return ok();
        }
        lastFolder = &rows_[index];
    }
    if (lastFolder) {
        currentFolder_ = lastFolder->path;
        refresh(true);
    }
    return false;
}

void FileBrowserModel::click(const std::vector<int>& selected) {
    for (int index : selected) {
        if (index < 0 || index >= static_cast<int>(rows_.size())) continue;
        result_->clear();
        if (rows_[index].folder) continue;
        editText_ = rows_[index].name;
        *result_ = rows_[index].path;
    }
}

void FileBrowserModel::typed(const std::string& text) {
    editText_ = text;
    if (text.empty()) result_->clear();
    else if (text[0] == '/') *result_ = text;
    else *result_ = joinPath(currentFolder_, text);
}

bool FileBrowserModel::ok() {
    std::string& result = *result_;
    if (result.empty()) return false;
    if (!saveMode_) return sys::isRegularFile(result);
    // A name ending in '/', ".", ".." or any other start with '.' would give a
    // hidden file that no browser of the program lists.
    if (const std::string name = fileNameOf(result); name.empty() || name[0] == '.') {
        ui::showError(kHiddenName, "Save As");
        return false;
    }
    const std::vector<std::string> patterns = splitFilterPatterns(fileTypeFilter());
    const bool hasExtension = std::any_of(patterns.begin(), patterns.end(), [&](const std::string& p) {
        return p == "*.*" || matchesPattern(fileNameOf(result), p);
    });
    if (!hasExtension && !patterns.empty()) {
        const std::string extension = extensionOfPattern(patterns.front());
        if (!extension.empty()) result += "." + extension;
    }
    std::error_code error;
    if (!std::filesystem::exists(result, error)) return true;
    return ui::confirmed(result + " already exists.\nDo you want to replace it?", "Save As");
}

void FileBrowserModel::cancel() { result_->clear(); }

void FileBrowserModel::deleteSelected(const std::vector<int>& selected) {
    for (int index : selected) {
        if (index < 0 || index >= static_cast<int>(rows_.size()) || rows_[index].folder) continue;
        const std::string path = rows_[index].path;
        if (!ui::confirmed("Are you sure you want to delete the file \"" + path + "\"?", "Confirm File Delete"))
            return;
        std::error_code error;
        std::filesystem::remove(path, error);
        refresh(false);
        return;
    }
}

bool FileBrowserModel::isPreviewedImage(const std::string& path) {
    for (const char* extension : {".bmp", ".jpg", ".jpeg", ".png", ".tga", ".dds"}) {
        if (endsWithoutCase(path, extension)) return true;
    }
    return false;
}

}  // namespace shell
