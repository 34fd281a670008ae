// A fresh folder under the system's temporary folder for one test, removed
// with everything in it at the end of the test.
#pragma once

#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing '/'.
    const std::string& path() const { return path_; }
    // path() + "/" + name.
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Writes bytes to a file in the folder; reads a whole file back.
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace testsupport
