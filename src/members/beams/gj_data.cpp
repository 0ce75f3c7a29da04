#include "members/beams/gj_data.h"

#include <cmath>

#include "base/globals.h"
#include "base/textio.h"
#include "codes/codeedition.h"
#include "platform/paths.h"
#include "platform/textfile.h"

CGjData G_GjData;

namespace {

constexpr int kLineBytes = 290;

// The scales stand before p-δ and as: files of the older edition end after the
// scales, and stored files depend on the order.
constexpr const char* kDataLine = "%d,%d,%f,%f,%d,%d,%d,%f,%f,%d,%f\n";
constexpr int kDataFields = 11;
constexpr int kOlderDataFields = 9;

struct Diagram {
    const char* title;
    const char* suffix;
};
constexpr Diagram kDiagrams[kGjDiagrams] = {{"计算简图", "_JT"}, {"位移图", "_D"},  {"弯矩图", "_M"},  {"剪力图", "_V"},
                                            {"轴力图", "_N"},   {"配筋图", "_PJ"}, {"所有图", "_ALL"}};

// The name of the file at `path` without its folder and its last extension.
std::string NameOfPath(const char* path) {
    std::string name = kv::platform::NameOf(kv::platform::ToSlashes(path ? path : ""));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

bool ReadFields(std::FILE* fp, GJ_FIELDS& f, bool older) {
    const int n = fgets_scan_fields(fp, kLineBytes, kDataLine, &f.ConGrade, &f.Steam, &f.MidFactor, &f.SupportFactor,
                                    &f.BarGrade, &f.StirrupGrade, &f.StirrupSpacing, &f.TextScale, &f.GraphScale,
                                    &f.PDelta, &f.As);
    if (n < (older ? kOlderDataFields : kDataFields)) return false;
    // "nan" and "inf" scan as numbers; no factor, scale or distance is made of them.
    for (float v : {f.MidFactor, f.SupportFactor, f.TextScale, f.GraphScale, f.As})
        if (!std::isfinite(v)) return false;
    if (older) {
        f.PDelta = 0;
        f.As = 35.0f;
    }
    return true;
}

}  // namespace

CGjData::CGjData() {
    SetFileName("NONAME");
    m_strName = "刚架计算 GJ1";
}

void CGjData::SetFileName(const std::string& stem) {
    m_strStem = stem;
    m_nJtNum = 0;
    for (int k = 0; k < kGjDiagrams; ++k)
        SetJt(k, kDiagrams[k].title, stem + kDiagrams[k].suffix + "_GJ.DXF", stem + "_GJ.RTF");
}

std::string CGjData::ModelFileName() const { return DataName() + ModelSuffix() + "_StrLdA-1.DAT"; }

int CGjData::LoadData(const char* path) {
    const int read = LoadMarkedData(path, kMarker, kMarkerV20, [this](std::FILE* fp, bool older) {
        GJ_FIELDS fields = *this;
        if (!ReadFields(fp, fields, older)) return false;
        static_cast<GJ_FIELDS&>(*this) = fields;
        if (BarGrade == 1 || StirrupGrade == 1) AdjustHpb235(older ? 2002 : 2010, 1);
        return true;
    });
    if (read) m_strStem = NameOfPath(path);
    return read;
}

int CGjData::SaveData(const char* path) {
    const int saved = SaveMarkedData(path, kMarker, [this](std::FILE* fp) {
        std::fprintf(fp, kDataLine, ConGrade, Steam, MidFactor, SupportFactor, BarGrade, StirrupGrade, StirrupSpacing,
                     TextScale, GraphScale, PDelta, As);
    });
    if (saved) m_strStem = NameOfPath(path);
    return saved;
}

int CGjData::CopyModelFiles(const char* path) {
    const std::string from = G_strWorkPath + DataName() + ModelSuffix();
    SetFileName_(path ? path : "");
    m_strStem = NameOfPath(path);
    const std::string to = G_strWorkPath + DataName() + ModelSuffix();
    for (const char* ending : kModelEndings) CopyBinFile((from + ending).c_str(), (to + ending).c_str());
    return 1;
}

bool CopyBinFile(const char* from, const char* to) {
    if (!from || !to) return false;
    const std::string source = kv::platform::ResolveExisting(from);
    if (source.empty()) return false;
    // Saving under the same name: the file is its own copy already.
    const kv::platform::FileStamp target = kv::platform::StampOf(to);
    const kv::platform::FileStamp stamp = kv::platform::StampOf(source);
    if (target.exists && target.device == stamp.device && target.inode == stamp.inode) return true;
    std::string bytes;
    if (!kv::platform::ReadFileBytes(source, bytes)) return false;
    return kv::platform::WriteFileAtomically(kv::platform::ResolveForWrite(to), bytes);
}
