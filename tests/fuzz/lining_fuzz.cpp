// The lining's record lines in file order: the seismic record, the load
// parameters, the basic record, the reinforcement record, the combination table
// and a section's common line. What was read is written, read back and written
// again; the two writes must be the same bytes. The report texts run on it too.
#include <string>

#include "base/textio.h"
#include "fuzz_support.h"
#include "lining/engine/canshu.h"
#include "lining/engine/hezai.h"
#include "lining/engine/jiemian.h"

namespace {

class Section : public CJieMianBase {
public:
    int WriteCanShu(std::FILE*) override { return 0; }
    int JiSuan(std::FILE*) override { return 0; }
    int DrawOutline(CBase_SGT*) override { return 0; }
    int DrawGuanJiang(CBase_SGT*) override { return 0; }
    int GetExtent(CFRect& extent) override {
        extent = CFRect{0, 0, 1, 1};
        return 0;
    }
};

struct Records {
    CDiZhenCanShu diZhen;
    CHeZaiCanShu heZai;
    CJiBenCanShu jiBen;
    CPeiJinCanShu peiJin;
    CHeZaiZuHe zuHe;
    Section section;

    bool Read(const std::string& path) {
        std::FILE* fp = open_file_no_comment(path.c_str(), "rt");
        if (!fp) return false;
        diZhen.LoadData(fp);
        heZai.LoadData(fp);
        jiBen.LoadData(fp);
        peiJin.LoadData(fp);
        zuHe.LoadData(fp);
        section.LoadData(fp);
        close_file(fp);
        return true;
    }
    bool Write(const std::string& path) {
        std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
        if (!fp) return false;
        diZhen.SaveData(fp);
        heZai.SaveData(fp);
        jiBen.SaveData(fp);
        peiJin.SaveData(fp);
        zuHe.SaveData(fp);
        section.SaveData(fp);
        return commit_file(fp) == 0;
    }
    void Report(const std::string& path) {
        std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
        if (!fp) return;
        heZai.WriteCanShu(fp, 0, 1, 0);
        heZai.WriteCanShu(fp, 1, 0, 1);
        zuHe.WriteCanShu(fp, 0, 1);
        peiJin.WriteCanShu(fp, jiBen.m_nGuiFan);
        peiJin.WriteResultNote(fp);
        close_file(fp);
        float forces[3];
        diZhen.CalForces(forces, section.m_fE, section.m_fE / 2.4f);
        int component = 0;
        float scale = 0;
        int sign = 0;
        for (int d = 0; d < 7; ++d) section.GetDiagramInfo(d, &component, &scale, &sign);
        heZai.IsSymmetric(1, 90);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = kv::fuzz::WriteInput("input.DAT", data, size);
    Records read;
    if (!read.Read(input)) return 0;
    const std::string first = kv::fuzz::Folder() + "first.DAT";
    if (!read.Write(first)) kv::fuzz::Fail("records read cannot be written");
    read.Report(kv::fuzz::Folder() + "report.TXT");
    Records again;
    if (!again.Read(first)) kv::fuzz::Fail("written records cannot be opened");
    const std::string second = kv::fuzz::Folder() + "second.DAT";
    if (!again.Write(second)) kv::fuzz::Fail("records read back cannot be written");
    if (kv::fuzz::ReadBytes(first) != kv::fuzz::ReadBytes(second)) kv::fuzz::Fail("written records read back different");
    return 0;
}
