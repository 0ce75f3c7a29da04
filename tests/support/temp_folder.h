#pragma once
// A fresh folder for one test, removed with everything in it afterwards. The
// current folder is put back too, for tests that work with bare file names.
// A folder that cannot be made fails the test (the constructor throws): a test
// never falls back to a folder that others share.
#include <string>

namespace kv::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, with a trailing '/'.
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

    // Makes the folder the current folder until the object goes away.
    void MakeCurrent();

    // Writes raw bytes into a file of the folder (making its subfolders).
    void Write(const std::string& name, const std::string& bytes) const;
    // Reads a file's raw bytes (empty when missing).
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Names in the folder, sorted.
    std::string List() const;

private:
    std::string path_;
    std::string previousCurrent_;
};

}  // namespace kv::test
