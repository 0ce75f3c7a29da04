#pragma once
// The message channel of a calculation run. Every step reports through
// tell_error with a code; codes that stop a run leave JS_ERROR_CODE set, and
// callers return early while it is set. A run clears JS_ERROR_CODE first.
#include <functional>
#include <string>
#include <vector>

// Last error that stops a run (0: none).
extern int JS_ERROR_CODE;
// Files open through open_file / open_file_no_comment and not yet given back.
extern int JS_OpenFileNum;

// Codes used on the channel.
namespace kv::err {
inline constexpr int kClearWindow = -1111;    // empty the message window
inline constexpr int kCloseProgress = -9999;  // close the progress display
inline constexpr int kNotice = 0;
inline constexpr int kProgress = 1;
inline constexpr int kWarning = 101;
inline constexpr int kDataError = 201;
inline constexpr int kDesignError = 210;
inline constexpr int kFailure = 301;

// True for the codes after which a run must stop (201, 301, 310, 399).
bool StopsRun(int code);

struct Line {
    int code;
    std::string text;
};

// Where the lines go. The program shows them in its message window; until a sink
// is installed they are kept in memory (see RecentLines).
using Sink = std::function<void(int code, const std::string& text)>;
Sink SetSink(Sink sink);

// What happens to a line while no sink is installed: it is kept in memory.
void KeepLine(int code, const std::string& text);

// The lines the built-in sink kept (the last few thousand), oldest first.
const std::vector<Line>& RecentLines();
void ClearRecentLines();
}  // namespace kv::err

void tell_error(int code, const char* text);
void tell_error(int code, const std::string& text);
void tell_error1(int code, const char* format, ...) __attribute__((format(printf, 2, 3)));
