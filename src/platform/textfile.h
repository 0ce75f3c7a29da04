#pragma once
// Files opened the way the Windows program's C runtime opened them, on Linux.
//
// Text modes ("r", "rt", "w", "wt", "w+", "a", "at") give a stdio stream that
// speaks UTF-8 to the program and GBK to the disk, and reads CR LF line ends as
// "\n", so files written by the Windows program read unchanged; positions
// (ftell, fseek) count the UTF-8 bytes the program sees, and a writer may go back
// to patch what it wrote. Binary modes ("rb", "wb", ...) pass bytes through;
// "r+", "a+" and "w+b" work on the file in place. Every write mode that replaces
// a file ("w", "wt", "w+", "wb") writes a temporary file beside it; only
// CommitFile puts it in place. A stream closed with fclose, or one whose writes
// failed, is thrown away and the old file stays byte for byte, so a writer that
// stops halfway never leaves half a file. As on Windows, a folder or a file
// marked read-only is not opened for writing. Existing files are found whatever
// the case of their names.
#include <cstdio>
#include <string>
#include <string_view>

namespace kv::platform {

// Opens `path` (relative to the current folder when not absolute) with a C mode.
// Returns nullptr with errno set when it cannot be opened.
std::FILE* OpenFile(std::string_view path, const char* mode);

// Closes a stream of OpenFile and, for a file being replaced, puts the new file in
// place: it is flushed to the disk, renamed over the old one, and the folder is
// flushed after it. Returns 0, or EOF with errno set when any write failed or the
// file could not be put in place; the old file is then unchanged. Streams that
// work in place (append, update) are flushed to the disk and closed.
int CommitFile(std::FILE* f);

// For tests: while an object of this class lives, every stream opened for writing
// fails with `error` once `afterBytes` bytes of it have gone to the disk.
class WriteFailureForTesting {
public:
    WriteFailureForTesting(long long afterBytes, int error);
    ~WriteFailureForTesting();
    WriteFailureForTesting(const WriteFailureForTesting&) = delete;
    WriteFailureForTesting& operator=(const WriteFailureForTesting&) = delete;
};

// The most a whole-file read takes: reports run to a hundred megabytes.
inline constexpr std::size_t kWholeFileMaxBytes = std::size_t{256} << 20;

// Reads a whole file as raw bytes. False (and `bytes` empty) when it cannot be
// read, is not a regular file (a device, a pipe, a folder) or is larger than
// `maxBytes` (errno EFBIG): a name may point anywhere.
bool ReadFileBytes(std::string_view path, std::string& bytes, std::size_t maxBytes = kWholeFileMaxBytes);

// Replaces (or creates) a file with `bytes`, through a temporary file and a rename.
bool WriteFileAtomically(std::string_view path, std::string_view bytes);

// Reads a whole GBK text file into UTF-8 (CR LF becomes "\n"); invalid bytes show
// as U+FFFD and are counted in `replaced`.
bool ReadTextFile(std::string_view path, std::string& utf8, std::size_t* replaced = nullptr);

// Writes UTF-8 text as a GBK file, atomically. False when it cannot be written.
bool WriteTextFile(std::string_view path, std::string_view utf8);

}  // namespace kv::platform
