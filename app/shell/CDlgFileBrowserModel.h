// What the file browser decides, without a window: the folder shown and its
// rows, the "Look in" places, the file types, the result path and what OK,
// Cancel, Up, clicks, typing and Delete do. The dialog (`CFileBrowserDlg`)
// is a thin view over it.
//
// Paths are the program's: UTF-8 with '/' separators. The result string is
// the caller's: it carries the default name in and the chosen path out, and
// is emptied by Cancel.
#pragma once

#include <string>
#include <vector>

namespace shell {

// The pieces of a path cut at every '/' and '\'; each separator ends a
// piece, even an empty one, and the piece after the last one is kept.
std::vector<std::string> splitPath(const std::string& path);

// The patterns of a filter entry: spaces dropped, cut at ';', an empty last
// pattern left out. "*.bmp; *.jpg" gives "*.bmp" and "*.jpg".
std::vector<std::string> splitFilterPatterns(const std::string& entry);

// Whether a file name matches a pattern: "*.*" matches every name, "*.ext"
// the names with that extension, compared without case.
bool matchesPattern(const std::string& fileName, const std::string& pattern);

struct FolderListing {
    std::vector<std::string> folders;
    std::vector<std::string> files;
};

// The sub-folders and the files matching the filter entry of a folder, each
// sorted by name without case. Hidden entries (names starting with '.') are
// left out; an unreadable folder gives two empty lists.
FolderListing listFolder(const std::string& folder, const std::string& filterEntry);

// `folder` + '/' + `name`, with no doubled separator after the root.
std::string joinPath(const std::string& folder, const std::string& name);

// The folder above a path; the root stays the root.
std::string parentFolder(const std::string& folder);

struct FileRow {
    std::string name;
    std::string path;
    bool folder = false;
};

struct LookInEntry {
    std::string text;
    std::string path;
};

class FileBrowserModel {
public:
    static constexpr const char* kAllFiles = "All files (*.*)";

    // `result` is the caller's string (default name in, chosen path out); it
    // must outlive the model.
    FileBrowserModel(std::string* result, const std::vector<std::string>& filters, const std::string& folder,
                     bool saveMode);

    // ---- Opening: the file types offered (the caller's entries, then "All
    // files (*.*)", sorted; the first is selected), the edit's first text, and
    // the start folder shown.
    const std::vector<std::string>& fileTypes() const { return fileTypes_; }
    int selectedFileType() const { return selectedFileType_; }
    const std::string& editText() const { return editText_; }
    void open();

    // ---- Navigation
    const std::string& currentFolder() const { return currentFolder_; }
    const std::vector<FileRow>& rows() const { return rows_; }
    const std::vector<LookInEntry>& lookIn() const { return lookIn_; }
    int selectedLookIn() const { return selectedLookIn_; }
    void chooseLookIn(int index);
    void goUp();
    void chooseFileType(int index);
    // Rows double-clicked: the first file among them is taken as by OK (true
    // when the dialog ends); when all are folders the last is entered.
    bool doubleClick(const std::vector<int>& selected);
    // Rows clicked: a file becomes the result and the edit's text.
    void click(const std::vector<int>& selected);
    // The edit changed: the result is the text below the current folder, or
    // the text itself when it is an absolute path.
    void typed(const std::string& text);

    // ---- Ending. True when the dialog ends. In save mode a name that is
    // empty or begins with '.' is refused with a message (the file would be
    // hidden), before the type's extension is added.
    bool ok();
    void cancel();
    // The Delete key on the selected rows: after confirmation (full path
    // shown) deletes the first selected file; folders are never deleted.
    void deleteSelected(const std::vector<int>& selected);

    // The file a click previews as a picture (an image type the program
    // reads), else empty.
    static bool isPreviewedImage(const std::string& path);

    bool saveMode() const { return saveMode_; }
    const std::string& result() const { return *result_; }

private:
    void refresh(bool refillLookIn);
    void fillLookIn();
    const std::string& fileTypeFilter() const;

    std::string* result_;
    std::vector<std::string> fileTypes_;
    int selectedFileType_ = 0;
    std::string startFolder_;
    std::string currentFolder_;
    std::string editText_;
    bool saveMode_;
    std::vector<FileRow> rows_;
    std::vector<LookInEntry> lookIn_;
    int selectedLookIn_ = -1;
};

}  // namespace shell
