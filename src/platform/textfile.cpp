#include "platform/textfile.h"

#include "platform/codec.h"
#include "platform/paths.h"

#include <algorithm>
#include <climits>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace kv::platform {
namespace {

struct Mode {
    bool read = false, write = false, append = false, plus = false, binary = false;
};

bool ParseMode(const char* text, Mode& m) {
    if (!text || !*text) return false;
    switch (text[0]) {
    case 'r': m.read = true; break;
    case 'w': m.write = true; break;
    case 'a': m.append = true; break;
    default: return false;
    }
    for (const char* p = text + 1; *p; ++p) {
        if (*p == '+') m.plus = true;
        else if (*p == 'b') m.binary = true;
        else if (*p == 't') m.binary = false;
    }
    return true;
}

// ---- reading: GBK on disk, UTF-8 to the program -------------------------------

struct ReadCookie {
    std::FILE* raw = nullptr;
    std::string pending;   // raw bytes not yet decoded (a split character)
    std::string heldCr;    // a decoded CR that may be the first half of CR LF
    std::string decoded;   // decoded bytes not yet handed out
    std::size_t handedOut = 0;
    bool eof = false;
};

bool FillDecoded(ReadCookie* c) {
    while (c->decoded.empty() && !c->eof) {
        char buf[8192];
        std::size_t got = std::fread(buf, 1, sizeof buf, c->raw);
        if (got == 0) {
            if (std::ferror(c->raw)) return false;
            c->eof = true;
        }
        c->pending.append(buf, got);
        // Decoded as a whole-file read decodes: CR is plain ASCII in GBK and in
        // UTF-8, so line ends are mended after decoding.
        std::string text = std::move(c->heldCr);
        c->heldCr.clear();
        c->pending.erase(0, GbkToUtf8LossyPart(c->pending, c->eof, text));
        // A CR at the end may be the first half of CR LF.
        if (!c->eof && !text.empty() && text.back() == '\r') {
            c->heldCr = "\r";
            text.pop_back();
        }
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
            c->decoded += text[i];
        }
    }
    return true;
}

ssize_t ReadText(void* cookie, char* buf, size_t size) {
    auto* c = static_cast<ReadCookie*>(cookie);
    if (!FillDecoded(c)) return -1;
    std::size_t n = std::min(size, c->decoded.size());
    std::memcpy(buf, c->decoded.data(), n);
    c->decoded.erase(0, n);
    c->handedOut += n;
    return static_cast<ssize_t>(n);
}

int SeekText(void* cookie, off64_t* offset, int whence) {
    auto* c = static_cast<ReadCookie*>(cookie);
    off64_t target;
    if (whence == SEEK_CUR && *offset == 0) {
        *offset = static_cast<off64_t>(c->handedOut);
        return 0;
    }
    if (whence == SEEK_SET) {
        target = *offset;
    } else if (whence == SEEK_CUR) {
        target = static_cast<off64_t>(c->handedOut) + *offset;
    } else {
        // Positions count decoded bytes, so the end is found by decoding it all.
        std::size_t end = c->handedOut + c->decoded.size();
        c->decoded.clear();
        while (!c->eof) {
            if (!FillDecoded(c)) return -1;
            end += c->decoded.size();
            c->decoded.clear();
        }
        target = static_cast<off64_t>(end) + *offset;
    }
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    // Start over and skip to the target.
    std::rewind(c->raw);
    c->pending.clear();
    c->heldCr.clear();
    c->decoded.clear();
    c->handedOut = 0;
    c->eof = false;
    std::size_t left = static_cast<std::size_t>(target);
    while (left > 0) {
        if (!FillDecoded(c)) return -1;
        if (c->decoded.empty()) break;
        std::size_t n = std::min(left, c->decoded.size());
        c->decoded.erase(0, n);
        c->handedOut += n;
        left -= n;
    }
    *offset = static_cast<off64_t>(c->handedOut);
    return 0;
}

int CloseRead(void* cookie) {
    std::unique_ptr<ReadCookie> c(static_cast<ReadCookie*>(cookie));
    return std::fclose(c->raw) == 0 ? 0 : -1;
}

// ---- writing: UTF-8 from the program, GBK on disk, temp file + rename ---------
//
// A text file that replaces another is kept in memory as the program writes it
// and converted when it is committed: writers go back to patch a count they wrote
// as a placeholder, and positions must count the UTF-8 bytes the program wrote.
// Binary files and appended text stream straight to disk.

// Set by CommitFile around its fclose: only then does a close put the file in place.
thread_local bool t_commitOnClose = false;
// Why the last commit failed (errno does not survive fclose reliably).
thread_local int t_closeError = 0;

// The test hook: bytes a new stream may write before its writes fail.
std::atomic<long long> g_failAfter{-1};
std::atomic<int> g_failError{EIO};

struct WriteCookie {
    std::FILE* raw = nullptr;
    bool transcode = true;
    bool inMemory = false;   // text kept in `text` until the stream is committed
    bool failed = false;     // a write failed: the stream is never committed
    int error = 0;           // errno of the first failure
    std::string pending;     // streaming: a UTF-8 sequence split between two writes
    std::string text;        // in memory: the whole UTF-8 text
    std::size_t pos = 0;     // in memory: the stream position in `text`
    std::string tempPath;    // empty when writing the file in place (append)
    std::string finalPath;
    long long written = 0;   // bytes handed to the disk
    long long failAfter = -1;
    int failError = EIO;
};

void Fail(WriteCookie* c, int error) {
    if (!c->failed) c->error = error ? error : EIO;
    c->failed = true;
}

bool WriteRaw(WriteCookie* c, std::string_view bytes) {
    if (c->failed) return false;
    if (bytes.empty()) return true;
    std::size_t room = bytes.size();
    if (c->failAfter >= 0 && c->written + static_cast<long long>(room) > c->failAfter)
        room = static_cast<std::size_t>(std::max(0LL, c->failAfter - c->written));
    if (room > 0 && std::fwrite(bytes.data(), 1, room, c->raw) != room) {
        Fail(c, errno);
        return false;
    }
    c->written += static_cast<long long>(room);
    if (room < bytes.size()) {
        // As the write to a full disk would fail: callers read errno.
        Fail(c, c->failError);
        errno = c->failError;
        return false;
    }
    return true;
}

// A failed write answers 0, never -1: the C library takes the answer as a count,
// and -1 makes it copy past the end of the caller's bytes.
ssize_t WriteStream(void* cookie, const char* buf, size_t size) {
    auto* c = static_cast<WriteCookie*>(cookie);
    if (c->inMemory) {
        if (c->pos > c->text.size()) c->text.resize(c->pos, '\0');
        c->text.replace(c->pos, std::min(size, c->text.size() - c->pos), buf, size);
        c->pos += size;
        return static_cast<ssize_t>(size);
    }
    if (!c->transcode) return WriteRaw(c, std::string_view(buf, size)) ? static_cast<ssize_t>(size) : 0;
    c->pending.append(buf, size);
    std::size_t usable = CompleteUtf8Prefix(c->pending);
    std::string gbk = Utf8ToGbkLossy(std::string_view(c->pending).substr(0, usable));
    c->pending.erase(0, usable);
    return WriteRaw(c, gbk) ? static_cast<ssize_t>(size) : 0;
}

// "w+" text streams read back what they hold.
ssize_t ReadMemory(void* cookie, char* buf, size_t size) {
    auto* c = static_cast<WriteCookie*>(cookie);
    if (c->pos >= c->text.size()) return 0;
    std::size_t n = std::min(size, c->text.size() - c->pos);
    std::memcpy(buf, c->text.data() + c->pos, n);
    c->pos += n;
    return static_cast<ssize_t>(n);
}

int SeekWrite(void* cookie, off64_t* offset, int whence) {
    auto* c = static_cast<WriteCookie*>(cookie);
    if (!c->inMemory) {
        if (::fseeko(c->raw, *offset, whence) != 0) return -1;
        *offset = ::ftello(c->raw);
        return *offset < 0 ? -1 : 0;
    }
    off64_t base = whence == SEEK_SET ? 0
                   : whence == SEEK_CUR ? static_cast<off64_t>(c->pos)
                                        : static_cast<off64_t>(c->text.size());
    off64_t target = base + *offset;
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    c->pos = static_cast<std::size_t>(target);
    *offset = target;
    return 0;
}

// Writes what is still held, then flushes the file to the disk.
void FinishWriting(WriteCookie* c, bool sync) {
    if (c->inMemory) {
        // In pieces, so a large text is not held twice.
        std::string_view rest = c->text;
        while (!rest.empty() && !c->failed) {
            std::size_t n = rest.size() <= 65536 ? rest.size() : CompleteUtf8Prefix(rest.substr(0, 65536));
            if (n == 0) n = std::min<std::size_t>(rest.size(), 65536);
            WriteRaw(c, Utf8ToGbkLossy(rest.substr(0, n)));
            rest.remove_prefix(n);
        }
    } else if (!c->pending.empty()) {
        WriteRaw(c, Utf8ToGbkLossy(c->pending));
    }
    if (std::fflush(c->raw) != 0) Fail(c, errno);
    if (sync && !c->failed && ::fsync(::fileno(c->raw)) != 0) Fail(c, errno);
}

// The rename itself must reach the disk too, or a crash may bring the old file back.
void SyncFolder(const std::string& path) {
    int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

int CloseWrite(void* cookie) {
    std::unique_ptr<WriteCookie> c(static_cast<WriteCookie*>(cookie));
    const bool commit = t_commitOnClose;
    t_commitOnClose = false;
    if (c->tempPath.empty()) {
        // Appending works on the file itself: what was written stays.
        FinishWriting(c.get(), commit);
        if (std::fclose(c->raw) != 0) Fail(c.get(), errno);
        t_closeError = c->error;
        return c->failed ? -1 : 0;
    }
    if (!commit) {
        // Closed without a commit: the old file stays as it was.
        std::fclose(c->raw);
        ::unlink(c->tempPath.c_str());
        t_closeError = c->error;
        return 0;
    }
    FinishWriting(c.get(), true);
    if (std::fclose(c->raw) != 0) Fail(c.get(), errno);
    if (!c->failed && std::rename(c->tempPath.c_str(), c->finalPath.c_str()) != 0) Fail(c.get(), errno);
    if (c->failed) {
        ::unlink(c->tempPath.c_str());
        t_closeError = c->error;
        return -1;
    }
    SyncFolder(c->finalPath);
    return 0;
}

// A temporary file beside `finalPath` with the permissions a new (or the old) file gets.
std::FILE* OpenTemp(const std::string& finalPath, std::string& tempPath) {
    std::string folder = FolderOf(finalPath);
    tempPath = folder + "." + NameOf(finalPath) + ".kvtmp-XXXXXX";
    int fd = ::mkstemp(tempPath.data());
    if (fd < 0) return nullptr;
    struct stat st;
    mode_t perm;
    if (::stat(finalPath.c_str(), &st) == 0) {
        perm = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        perm = 0666 & ~mask;
    }
    ::fchmod(fd, perm);
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        ::close(fd);
        ::unlink(tempPath.c_str());
    }
    return f;
}

// The file a chain of links ends at, also when that file is not made yet; empty
// (errno ELOOP) for links that go round in a circle.
std::string FollowLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        char to[PATH_MAX];
        ssize_t n = ::readlink(path.c_str(), to, sizeof to);
        if (n <= 0 || static_cast<std::size_t>(n) >= sizeof to) return path;
        std::string next(to, static_cast<std::size_t>(n));
        path = next[0] == '/' ? next : FolderOf(path) + next;
    }
    errno = ELOOP;
    return {};
}

// Windows refuses to open a folder as a file; so do we, before anything is written.
bool RefuseFolder(const std::string& path) {
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    errno = EISDIR;
    return true;
}

// A file marked read-only is not replaced, as Windows would not open it for writing.
bool RefuseReadOnly(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    if ((st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0) return false;
    errno = EACCES;
    return true;
}

}  // namespace

std::FILE* OpenFile(std::string_view path, const char* modeText) {
    Mode mode;
    if (path.empty() || !ParseMode(modeText, mode)) {
        errno = EINVAL;
        return nullptr;
    }
    if (mode.read && !mode.plus) {
        std::string resolved = ResolveExisting(path);
        if (resolved.empty()) {
            errno = ENOENT;
            return nullptr;
        }
        if (RefuseFolder(resolved)) return nullptr;
        std::FILE* raw = std::fopen(resolved.c_str(), "rb");
        if (!raw || mode.binary) return raw;
        auto cookie = std::make_unique<ReadCookie>();
        cookie->raw = raw;
        cookie_io_functions_t io{ReadText, nullptr, SeekText, CloseRead};
        std::FILE* f = ::fopencookie(cookie.get(), "r", io);
        if (!f) {
            std::fclose(raw);
            return nullptr;
        }
        cookie.release();
        return f;
    }
    if (mode.plus && (mode.binary || !mode.write)) {
        // Update modes other than "w+" text are used for binary files only; they
        // work in place.
        std::string resolved = mode.read ? ResolveExisting(path) : ResolveForWrite(path);
        if (resolved.empty()) {
            errno = ENOENT;
            return nullptr;
        }
        std::string m(1, modeText[0]);
        m += "+b";
        return std::fopen(resolved.c_str(), m.c_str());
    }
    std::string target = ResolveForWrite(path);
    // The file is put in place when the stream closes: fix its folder now, as the
    // current folder may change before then.
    if (!target.empty() && target[0] != '/') target = CurrentFolder() + target;
    // A link stays a link: the file it points to is the one replaced.
    target = FollowLinks(target);
    if (target.empty()) return nullptr;
    if (RefuseFolder(target) || (!mode.append && RefuseReadOnly(target))) return nullptr;
    auto cookie = std::make_unique<WriteCookie>();
    cookie->transcode = !mode.binary;
    cookie->inMemory = cookie->transcode && !mode.append;
    cookie->finalPath = target;
    cookie->failAfter = g_failAfter.load();
    cookie->failError = g_failError.load();
    if (mode.append) {
        cookie->raw = std::fopen(target.c_str(), "ab");
    } else {
        cookie->raw = OpenTemp(target, cookie->tempPath);
    }
    if (!cookie->raw) return nullptr;
    cookie_io_functions_t io{mode.plus ? ReadMemory : nullptr, WriteStream, mode.append ? nullptr : SeekWrite,
                             CloseWrite};
    std::FILE* f = ::fopencookie(cookie.get(), mode.plus ? "w+" : "w", io);
    if (!f) {
        std::fclose(cookie->raw);
        if (!cookie->tempPath.empty()) ::unlink(cookie->tempPath.c_str());
        return nullptr;
    }
    cookie.release();
    return f;
}

bool ReadFileBytes(std::string_view path, std::string& bytes, std::size_t maxBytes) {
    bytes.clear();
    std::string resolved = ResolveExisting(path);
    if (resolved.empty()) return false;
    // Opened without waiting, so a pipe nobody writes to does not hold the program.
    int fd = ::open(resolved.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        int error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = error;
        return false;
    }
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        ::close(fd);
        errno = EFBIG;
        return false;
    }
    std::FILE* f = ::fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return false;
    }
    // One allocation for the whole file.
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    std::size_t got;
    bool ok = true;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0) {
        // A file that grows while it is read is held to the limit too.
        if (got > maxBytes - bytes.size()) {
            ok = false;
            break;
        }
        bytes.append(buf, got);
    }
    int error = ok ? 0 : EFBIG;
    if (ok && std::ferror(f)) {
        ok = false;
        error = errno;
    }
    std::fclose(f);
    if (!ok) {
        bytes.clear();
        errno = error;
    }
    return ok;
}

int CommitFile(std::FILE* f) {
    if (!f) {
        errno = EBADF;
        return EOF;
    }
    bool ok = std::fflush(f) == 0 && !std::ferror(f);
    int error = ok ? 0 : errno;
    // Streams of the C library (the update modes) have a descriptor; ours have none.
    int fd = ::fileno(f);
    if (ok && fd >= 0 && ::fsync(fd) != 0) {
        ok = false;
        error = errno;
    }
    t_commitOnClose = ok;
    t_closeError = 0;
    int rc = std::fclose(f);
    t_commitOnClose = false;
    if (ok && rc == 0) return 0;
    // The stream's own record of its first failure says most.
    errno = t_closeError ? t_closeError : (error ? error : EIO);
    return EOF;
}

WriteFailureForTesting::WriteFailureForTesting(long long afterBytes, int error) {
    g_failError = error;
    g_failAfter = afterBytes;
}

WriteFailureForTesting::~WriteFailureForTesting() { g_failAfter = -1; }

bool WriteFileAtomically(std::string_view path, std::string_view bytes) {
    std::FILE* f = OpenFile(path, "wb");
    if (!f) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) {
        int error = errno;
        std::fclose(f);
        errno = error;
        return false;
    }
    return CommitFile(f) == 0;
}

bool ReadTextFile(std::string_view path, std::string& utf8, std::size_t* replaced) {
    std::string raw;
    if (!ReadFileBytes(path, raw)) return false;
    std::string lf;
    lf.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
        lf += raw[i];
    }
    utf8 = GbkToUtf8Lossy(lf, replaced);
    return true;
}

bool WriteTextFile(std::string_view path, std::string_view utf8) {
    return WriteFileAtomically(path, Utf8ToGbkLossy(utf8));
}

}  // namespace kv::platform
