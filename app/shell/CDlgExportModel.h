// What the two export-name dialogs decide, without a window: the exports
// already stored (the current model's scheme bitmaps in "Schemes", or the
// flying-site folders in "Flying sites" of the settings folder), which names
// an export may take, and what Delete removes.
//
// A name may not hold any of \ / ? : * " < > | nor be "." or "..", so an
// export always stays inside its folder. Delete takes only a name the list
// shows, and removes a flying-site folder only when it lies inside the
// flying-sites folder.
#pragma once

#include <string>
#include <vector>

namespace shell {

// True when a name holds a character a file name cannot, or is "." or "..".
bool isForbiddenExportName(const std::string& name);

struct ExportEntry {
    std::string text;  // as the list shows it
    std::string path;  // the bitmap or the folder on disk
};

class ExportNamesModel {
public:
    // The schemes of `modelName` in settingsFolder + "Schemes" (files named
    // model name + "#" + scheme name + ".bmp").
    static ExportNamesModel scheme(const std::string& settingsFolder, const std::string& modelName);
    // The flying sites in settingsFolder + "Flying sites" (one folder each).
    static ExportNamesModel flyingSite(const std::string& settingsFolder);

    // Reads the folder again; entries sorted by their text.
    void refresh();
    const std::vector<ExportEntry>& entries() const { return entries_; }
    // The first entry whose text begins with `name`, or -1.
    int firstStartingWith(const std::string& name) const;

    // Whether Export may go on with `name`; a refused name is told in an
    // error box, "." and ".." with a message of their own (they hold no
    // forbidden character). An empty name passes: the caller takes it as a
    // cancel.
    bool acceptName(const std::string& name) const;
    // Delete of the named export: refused names and names not listed are
    // told in an error box; otherwise, after confirmation, the bitmap or the
    // whole folder goes and the list is read again. True when it was.
    bool deleteNamed(const std::string& name);

private:
    struct Texts {
        const char* refusal;
        const char* dotRefusal;
        const char* refusalTitle;
        const char* confirm;  // before the quoted name
        const char* missingTitle;
    };
    ExportNamesModel(std::string folder, std::string modelPrefix, const Texts& texts, bool folders);

    std::string folder_;
    std::string modelPrefix_;  // "<model>#" for schemes
    const Texts* texts_;
    bool folders_;
    std::vector<ExportEntry> entries_;
};

}  // namespace shell
