#include "report/jss.h"

#include <string>
#include <vector>

#include "base/globals.h"
#include "platform/paths.h"
#include "platform/textfile.h"

void SetTextStyleJss(kv::report::CRTF& report, int kind) {
    report.SetCurTextStyle(0, 21, 1, kind == 1 ? 1 : 0, 0, 0);
}

int WriteGCXX(kv::report::CRTF& report) {
    if (G_strWorkPath.empty()) return 0;
    std::string text;
    if (!kv::platform::ReadTextFile(kv::platform::JoinPath(G_strWorkPath, "GCXX.BOX"), text)) return 0;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (lines.size() < 3 && start <= text.size()) {
        std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    lines.resize(3);
    static const char* labels[3] = {"工程名称：", "工程编号：", "设计时间："};
    for (int k = 0; k < 3; ++k) report.InsertLiteral(std::string(labels[k]) + lines[k] + "\n");
    return 1;
}

void WriteDivLine(kv::report::CRTF& report) {
    report.InsertLiteral(std::string(67, '-') + "\n");
}
