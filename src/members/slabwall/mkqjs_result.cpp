#include "members/slabwall/mkqjs_result.h"

#include <cstring>
#include <string>
#include <string_view>

#include "base/textio.h"
#include "platform/codec.h"

CMkqResult G_MkqResult;

namespace {

constexpr int kLineBytes = 490;
constexpr const char* kMarker = "Mkq_V10";
constexpr const char* kForceLine = "%d,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%d,%d,%d,%f,%f\n";

void CopyBar(char (&to)[kMkqBarTextSize], std::string_view text) {
    std::string_view cut = kv::platform::CutToUtf8Bytes(text, kMkqBarTextSize - 1);
    std::memcpy(to, cut.data(), cut.size());
    to[cut.size()] = '\0';
}

// The six bar texts of a line; a bar text holds no comma, and any may be empty.
bool ReadBars(std::FILE* fp, MkqSideResult& r) {
    std::string line;
    if (!fgets_skip_comment(line, kLineBytes, fp) || count_fields(line) != kMkqBarTexts) return false;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::string_view rest(line);
    for (int k = 0; k < kMkqBarTexts; ++k) {
        std::size_t comma = rest.find(',');
        std::string_view field = rest.substr(0, comma);
        while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
        while (!field.empty() && (field.back() == ' ' || field.back() == '\t')) field.remove_suffix(1);
        CopyBar(r.Bars[k], field);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return true;
}

bool ReadSide(std::FILE* fp, MkqSideResult& r) {
    return fgets_scan_exact(fp, kLineBytes, kForceLine, &r.CheckKind, &r.Qh, &r.Qv, &r.M, &r.C, &r.Z, &r.A, &r.AsReq,
                            &r.AsSpare, &r.AsvReq, &r.Hh, &r.SectionOk, &r.BendState, &r.ShearState,
                            &r.LaJinJianJuH, &r.LaJinJianJuV) &&
           ReadBars(fp, r);
}

}  // namespace

MkqSideResult::MkqSideResult() {
    static const char* const kDefaults[kMkqBarTexts] = {"D20@100", "D20@100", "d8@150", "d8@150", "D16@150", "D16@150"};
    for (int k = 0; k < kMkqBarTexts; ++k) CopyBar(Bars[k], kDefaults[k]);
}

int CMkqResult::CheckData() { return 0; }

int CMkqResult::SaveData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    SetBiaoShi(fp, kMarker);
    for (const MkqSideResult& r : Side) {
        std::fprintf(fp, kForceLine, r.CheckKind, r.Qh, r.Qv, r.M, r.C, r.Z, r.A, r.AsReq, r.AsSpare, r.AsvReq, r.Hh,
                     r.SectionOk, r.BendState, r.ShearState, r.LaJinJianJuH, r.LaJinJianJuV);
        std::fprintf(fp, "%s,%s,%s,%s,%s,%s\n", r.Bars[0], r.Bars[1], r.Bars[2], r.Bars[3], r.Bars[4], r.Bars[5]);
    }
    return commit_file(fp) == 0 ? 1 : 0;
}

int CMkqResult::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    bool read = CheckBiaoShi(fp, kMarker) != 0;
    MkqSideResult sides[kMkqSideCount];
    for (int k = 0; read && k < kMkqSideCount; ++k) {
        sides[k] = Side[k];
        read = ReadSide(fp, sides[k]);
    }
    close_file(fp);
    if (!read) return 0;
    for (int k = 0; k < kMkqSideCount; ++k) Side[k] = sides[k];
    return 1;
}
