#pragma once
// Paths as the program uses them: '/' separators, folders ending with '/', and a
// case-insensitive lookup of existing files, because the Windows program wrote
// "&KV_0001.dat" and read "&KV_0001.DAT" and both must name one file.
#include <string>
#include <string_view>

namespace kv::platform {

// `folder` + `name`; a '/' is put between them when `folder` does not end with one.
std::string JoinPath(std::string_view folder, std::string_view name);

// The folder with exactly one trailing '/' (empty stays empty).
std::string WithTrailingSlash(std::string_view folder);

// Backslashes (from Windows paths stored in files) become '/'.
std::string ToSlashes(std::string_view path);

// The existing file or folder that `path` names when letters are compared without
// case, each component in turn; an exact match wins. Empty when there is none.
// Relative paths are taken from the current folder.
std::string ResolveExisting(std::string_view path);

// Where a file named `path` is to be written: the existing file of that name in any
// case when there is one, else `path` with its folder resolved case-insensitively.
std::string ResolveForWrite(std::string_view path);

bool FileExists(std::string_view path);       // a regular file, any case
bool DirectoryExists(std::string_view path);  // a folder, any case

// The folder of the running executable, with a trailing '/'.
std::string ProgramFolder();
// $XDG_CONFIG_HOME/kv/ (default ~/.config/kv/), created when missing; trailing '/'.
std::string ConfigFolder();
// The current folder with a trailing '/'.
std::string CurrentFolder();
bool SetCurrentFolder(std::string_view path);

// What tells one version of a file from another: a file written anew (in place or
// through a temporary file renamed over it) differs in one of these.
struct FileStamp {
    bool exists = false;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    long long size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
// The stamp of the file `path` names (any case); `exists` false when there is none.
FileStamp StampOf(std::string_view path);

// Creates the folder and its missing parents. True when it exists afterwards.
bool MakeDirectories(std::string_view path);

// Folder part of a path with its trailing '/', empty for a bare name.
std::string FolderOf(std::string_view path);
// Name part of a path.
std::string NameOf(std::string_view path);

}  // namespace kv::platform
