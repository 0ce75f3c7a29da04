#pragma once
// The files through which KV finds and talks to the outside programs it starts.
//
// "Hubrin.ini" names the programs and their report files (section [Hubrin]);
// "ExOut.ini" is the exchange file into which the programs write their answers.
// Such a file is read from the configuration folder when it is there, else from
// the program folder (G_strExePath), which an installation may keep read-only;
// KV writes them in the configuration folder only. The programs' own files
// ("Dorvex.exe", "XBJSS.txt") lie in the program folder and are found there
// whatever the case of their names.
#include <string>
#include <string_view>

#include "platform/paths.h"

namespace kv::tools {

inline constexpr const char* kToolFile = "Hubrin.ini";
inline constexpr const char* kToolSection = "Hubrin";
inline constexpr const char* kExchangeFile = "ExOut.ini";

// The copy of the tool file `name` that is read: the configuration folder's when
// it exists, else the program folder's when that exists, else the configuration
// folder's path (a file that is not there: every key reads as its default).
std::string ReadPath(std::string_view name);
// Where KV writes the tool file `name`: the configuration folder.
std::string WritePath(std::string_view name);

// A key of the tool file `name` as read from ReadPath(name).
std::string GetString(std::string_view name, std::string_view section, std::string_view key,
                      std::string_view defaultValue);
// True when the section holds at least one key.
bool HasSection(std::string_view name, std::string_view section);
// Writes a key into the configuration folder's copy (a null value removes the
// key). A configuration folder without a copy gets one of the program folder's
// first, so the keys read from there are kept. False when it cannot be written.
bool WriteString(std::string_view name, std::string_view section, const char* key, const char* value);

// The program folder's file `name` in whatever case it exists; the program
// folder followed by `name` when there is none.
std::string ProgramFile(std::string_view name);

// The file a key of [Hubrin] in "Hubrin.ini" names. A missing file or key, or the
// value "default" in any case with blanks around it, gives the built-in file
// `builtIn` of the program folder (ProgramFile). Any other value is a file name
// relative to the program folder (backslashes read as '/'); a value that starts
// with '/' is a full path.
std::string ToolPath(std::string_view key, std::string_view builtIn);

// What the tool file `name` that would be read looks like now, to tell afterwards
// whether an outside program wrote it.
class ToolFileStamp {
public:
    explicit ToolFileStamp(std::string_view name);
    // True when the file read now is another file or another version of it
    // (its bytes are compared too: a quick rewrite may keep the time stamp).
    bool Changed() const;

private:
    std::string name_;
    std::string path_;
    kv::platform::FileStamp stamp_;
    std::string bytes_;
};

}  // namespace kv::tools
