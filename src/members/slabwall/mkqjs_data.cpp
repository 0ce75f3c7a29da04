#include "members/slabwall/mkqjs_data.h"
#include <limits>
#include <iterator>
#include <algorithm>

#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/textio.h"
#include "base/toolfile.h"
#include "platform/profile.h"

// Defined before the objects below, whose constructors name the diagrams with them.
const std::string G_MkqSideName[4] = {"左", "右", "上", "下"};

CMkqJsData G_MkqJsData;
CMkqGfData G_MkqGfData;

namespace {

constexpr int kLineBytes = 490;

constexpr const char* kDoorLine = "%d,%f,%f,%d,%d\n";
constexpr const char* kSideLine = "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f\n";
constexpr const char* kMaterialLine = "%d,%d,%d,%f,%d,%f,%d,%d,%d,%d,%d,%d,%d,%d,%d\n";
constexpr const char* kScaleLine = "%f,%f,%f,%f,%f,%f,%f,%f,%f,%f,%f\n";

// The item's diagrams: per side a load sketch and a bar sketch, then the whole frame.
void NameDiagrams(CJsBaseData& object, const std::string& stem) {
    object.m_strStem = stem;
    object.m_nJtNum = 0;
    for (int k = 0; k < kMkqDiagramCount; ++k) {
        std::string title = k == 8 ? std::string("配筋图(全部)")
                                   : std::string(k % 2 == 0 ? "计算简图(" : "配筋简图(") + G_MkqSideName[k / 2] + ")";
        char dxf[300];
        std::snprintf(dxf, sizeof dxf, "%s_MKQ_jt_%02d.dxf", stem.c_str(), k + 1);
        object.SetJt(k, title, dxf, stem + ".RTF");
    }
}

// The seven lines after the marker, into `f`; false when one is missing or does
// not hold exactly its values.
bool ReadLines(std::FILE* fp, MkqJsFields& f, float& peiJinTuBiLi) {
    if (!fgets_scan_exact(fp, kLineBytes, kDoorLine, &f.DoorType, &f.La, &f.Lb, &f.DrawLoads, &f.SaveFlag))
        return false;
    for (MkqSide& s : f.Side) {
        if (!fgets_scan_exact(fp, kLineBytes, kSideLine, &s.L, &s.h, &s.ha, &s.t, &s.dx, &s.dy, &s.Lap, &s.L1, &s.qi,
                              &s.Ti, &s.L2, &s.qe))
            return false;
    }
    if (!fgets_scan_exact(fp, kLineBytes, kMaterialLine, &f.ConGrade, &f.ZongJinGrade, &f.GuJinGrade, &f.as,
                          &f.ZhengQiYangHu, &f.PeiJinXiShu, &f.ZongJinDia[0], &f.ZongJinDia[1], &f.ZongJinDia[2],
                          &f.GuJinDia[0], &f.GuJinDia[1], &f.GuJinDia[2], &f.GuJinJianJu[0], &f.GuJinJianJu[1],
                          &f.GuJinJianJu[2]))
        return false;
    float* b = f.JianTuBiLi;
    if (!fgets_scan_exact(fp, kLineBytes, kScaleLine, &peiJinTuBiLi, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5],
                          &b[6], &b[7], &b[8], &b[9]))
        return false;
    // "nan" and "inf" scan as numbers, but no size, load or scale is made of them.
    std::vector<float> numbers = {f.La, f.Lb, f.as, f.PeiJinXiShu, peiJinTuBiLi};
    for (const MkqSide& s : f.Side)
        numbers.insert(numbers.end(), {s.L, s.h, s.ha, s.t, s.dx, s.dy, s.Lap, s.L1, s.qi, s.Ti, s.L2, s.qe});
    numbers.insert(numbers.end(), std::begin(f.JianTuBiLi), std::end(f.JianTuBiLi));
    return std::all_of(numbers.begin(), numbers.end(), [](float v) { return std::isfinite(v); });
}

// ---- the exchange file ----------------------------------------------------------

// A key of the exchange file; nothing when the key (or its section) is missing.
std::optional<std::string> ExKey(const char* path, const char* section, const char* key) {
    static const std::string kMissing("\x01missing");
    std::string value = kv::platform::GetPrivateProfileString(section, key, kMissing, path);
    if (value == kMissing) return std::nullopt;
    return value;
}

// A number the field can hold: anything else is no answer.
template <typename T>
bool Fits(double value) {
    return std::isfinite(value) && value <= static_cast<double>(std::numeric_limits<T>::max()) &&
           value >= static_cast<double>(std::numeric_limits<T>::lowest());
}

// A key read as one number into every field given. A missing key, or a value
// that is no number, leaves each field as it was.
template <typename T>
void ReadNumber(const char* path, const char* section, const char* key, std::initializer_list<T*> fields,
                T scale = T(1)) {
    std::optional<std::string> text = ExKey(path, section, key);
    if (!text) return;
    double value = 0;
    if (scan_fields(*text, "%lf", &value) != 1) return;
    value *= static_cast<double>(scale);
    if (!Fits<T>(value)) return;
    for (T* field : fields) *field = static_cast<T>(value);
}

// The bearing of the door leaf on the sides `a` and `b` from the leaf's size
// under `key` and the opening `opening`; the load's place and width follow it.
void ReadLeafSize(const char* path, const char* key, float opening, MkqSide& a, MkqSide& b) {
    std::optional<std::string> text = ExKey(path, "PBMKQHZ", key);
    double leaf = 0;
    const bool given = text && scan_fields(*text, "%lf", &leaf) == 1 && Fits<float>((leaf - opening) / 2.0);
    for (MkqSide* s : {&a, &b}) {
        if (given) s->Lap = static_cast<float>((leaf - opening) / 2.0);
        s->L1 = s->L - std::trunc(s->Lap) / 3.0f;
        s->L2 = s->L - std::trunc(s->Lap);
    }
}

// Side indices 左, 右, 上, 下 as the load tool numbers them in "SIZE-%d".
constexpr int kToolSideNumber[4] = {3, 1, 2, 0};

}  // namespace

// ---- CMkqJsData -------------------------------------------------------------------

CMkqJsData::CMkqJsData() {
    m_strTitle = "门框墙计算及绘图";
    m_strPeiJinTitle = "门框墙配筋修改";
    m_strDataName = "MKQ";
    m_nFlag[0] = m_nFlag[1] = m_nFlag[2] = 0;
    m_nFlag[3] = 1;
    SetDefaults();
    SetFileName("NONAME");
}

void CMkqJsData::SetDefaults() {
    static_cast<MkqJsFields&>(*this) = MkqJsFields();
    PeiJinTuBiLi = 50.0f;
}

int CMkqJsData::CheckData() { return 1; }

void CMkqJsData::SetFileName(const std::string& stem) { NameDiagrams(*this, stem); }

void CMkqJsData::WriteBody(std::FILE* fp) const {
    std::fprintf(fp, kDoorLine, DoorType, La, Lb, DrawLoads, SaveFlag);
    for (const MkqSide& s : Side)
        std::fprintf(fp, kSideLine, s.L, s.h, s.ha, s.t, s.dx, s.dy, s.Lap, s.L1, s.qi, s.Ti, s.L2, s.qe);
    std::fprintf(fp, kMaterialLine, ConGrade, ZongJinGrade, GuJinGrade, as, ZhengQiYangHu, PeiJinXiShu, ZongJinDia[0],
                 ZongJinDia[1], ZongJinDia[2], GuJinDia[0], GuJinDia[1], GuJinDia[2], GuJinJianJu[0], GuJinJianJu[1],
                 GuJinJianJu[2]);
    const float* b = JianTuBiLi;
    std::fprintf(fp, kScaleLine, PeiJinTuBiLi, b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9]);
}

bool CMkqJsData::ReadBody(std::FILE* fp) {
    MkqJsFields fields = *this;
    float scale = PeiJinTuBiLi;
    if (!ReadLines(fp, fields, scale)) return false;
    static_cast<MkqJsFields&>(*this) = fields;
    PeiJinTuBiLi = scale;
    return true;
}

int CMkqJsData::SaveData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    SetBiaoShi(fp, kMarker, 1);
    WriteBody(fp);
    return commit_file(fp) == 0 ? 1 : 0;
}

int CMkqJsData::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    const bool read = CheckBiaoShi(fp, kMarker, 1) && ReadBody(fp);
    close_file(fp);
    return read ? 1 : 0;
}

int CMkqJsData::ReadExOut(const char* path, int mode) {
    if (!path || !if_file_exist(path) || (mode != 0 && mode != 1)) return 0;
    if (mode == 0) {
        ReadNumber<int>(path, "XB2MKQ", "XB", {&IsXB});
        ReadNumber<float>(path, "XB2MKQ", "DW", {&La});
        ReadNumber<float>(path, "XB2MKQ", "DH", {&Lb});
        for (int k = 0; k < kMkqSideCount; ++k) {
            MkqSide& s = Side[k];
            char key[16];
            std::snprintf(key, sizeof key, "SIZE-%d", kToolSideNumber[k]);
            if (std::optional<std::string> text = ExKey(path, "XB2MKQ", key)) {
                MkqSide read = s;
                scan_fields(text->substr(0, 259), "%f,%f,%f,%f,%f,%f", &read.L, &read.h, &read.ha, &read.t, &read.dx,
                            &read.dy);
                const float sizes[] = {read.L, read.h, read.ha, read.t, read.dx, read.dy};
                if (std::all_of(std::begin(sizes), std::end(sizes), [](float v) { return std::isfinite(v); })) s = read;
            }
            s.L1 = s.L - std::trunc(s.Lap / 3.0f);
            s.L2 = s.L - s.Lap;
        }
        return 1;
    }
    MkqSide &left = Side[0], &right = Side[1], &top = Side[2], &bottom = Side[3];
    // The tool gives qe in MPa (N/mm²).
    ReadNumber<float>(path, "MKQQE", "QE", {&left.qe, &right.qe, &top.qe, &bottom.qe}, 1000.0f);
    if (DoorType == 0) {
        ReadLeafSize(path, "MSWidth", La, left, right);
        ReadLeafSize(path, "MSHeight", Lb, top, bottom);
        ReadNumber<float>(path, "PBMKQHZ", "Verq1", {&top.qi, &bottom.qi});
        ReadNumber<float>(path, "PBMKQHZ", "Verq2", {&left.qi, &right.qi});
        ReadNumber<float>(path, "PBMKQHZ", "Horq1", {&top.Ti, &bottom.Ti});
        ReadNumber<float>(path, "PBMKQHZ", "Horq2", {&left.Ti, &right.Ti});
    } else {
        ReadNumber<float>(path, "GXMKQHZ", "x", {&left.dx, &right.dx});
        for (MkqSide* s : {&left, &right}) {
            s->L1 = s->L - s->dx / 2.0f;
            s->L2 = s->L - s->dx;
        }
        ReadNumber<float>(path, "GXMKQHZ", "y", {&left.dy, &right.dy});
        ReadNumber<float>(path, "GXMKQHZ", "Verq2", {&left.qi, &right.qi});
        ReadNumber<float>(path, "GXMKQHZ", "Horq2", {&left.Ti, &right.Ti});
    }
    return 1;
}

int CMkqJsData::WriteExOut() {
    using kv::tools::kExchangeFile;
    char text[64];
    std::snprintf(text, sizeof text, "%d", DoorType + 1);
    kv::tools::WriteString(kExchangeFile, "MKQCC", "Type", text);
    std::snprintf(text, sizeof text, "%.0f", La);
    kv::tools::WriteString(kExchangeFile, "MKQCC", "Width", text);
    std::snprintf(text, sizeof text, "%.0f", Lb);
    kv::tools::WriteString(kExchangeFile, "MKQCC", "Height", text);
    std::snprintf(text, sizeof text, "%d", IsXB);
    kv::tools::WriteString(kExchangeFile, "MKQCC", "IsXB", text);
    return 1;
}

float GetGammaD(const CMkqJsData& data) {
    float gammaD = data.ConGrade <= 55 ? 1.5f : 1.4f;
    if (data.ZhengQiYangHu == 1) gammaD *= 0.9f;
    return gammaD;
}

// ---- CMkqGfData -------------------------------------------------------------------

void CMkqGfData::SetFileName(const std::string& stem) {
    NameDiagrams(*this, stem);
    G_MkqJsData.SetFileName(stem);
}

int CMkqGfData::SaveData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "wt");
    if (!fp) return 0;
    CJsBaseData::SetBiaoShi(fp, kMarker);
    G_MkqJsData.WriteBody(fp);
    CJsBaseData::SaveData(fp);
    commit_file(fp);
    return 0;
}

int CMkqGfData::LoadData(const char* path) {
    std::FILE* fp = open_file_no_comment(path, "rt");
    if (!fp) return 0;
    if (CJsBaseData::CheckBiaoShi(fp, kMarker) && G_MkqJsData.ReadBody(fp)) CJsBaseData::LoadData(fp);
    close_file(fp);
    return 0;
}
