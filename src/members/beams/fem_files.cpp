#include "members/beams/fem_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <vector>

#include "base/calcrunner.h"
#include "base/error.h"
#include "base/globals.h"
#include "base/jsdata.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kWorkFiles[] = {
    // The finite-element library's.
    "YXY_JS.DAT", "YS.FB", "STRUC_LD.FB", "SOIL.FB", "NET_PRE.FB", "INDEX_P.FB", "NET_DAT.FB", "FREEDOM.FB",
    "STIFF1.FB", "STIFF2.FB", "LOAD_V.FB", "LOAD_VB.FB", "DIAG_STF.FB", "DEFOR.FB", "W_LIANG.FB", "W_BAN.FB",
    "FORCE.FB", "PIN.FB", "ZHU_PIN.FB", "REACT.FB", "FL_LIANG.FB", "FL_BAN.FB", "DEFOR.SEE", "REACT.SEE",
    "Area.fb", "Grav.fb", "disp.out", "pin.out",
    // The rigid frame's backup of its model.
    "~BakFile.GangJia"};

bool SameNameAnyCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The work folder's files whose names are one of `names` in any case.
std::vector<fs::path> FilesNamed(std::span<const char* const> names) {
    std::vector<fs::path> found;
    std::error_code ec;
    const fs::path folder = G_strWorkPath.empty() ? fs::path(".") : fs::path(G_strWorkPath);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (std::any_of(names.begin(), names.end(), [&](const char* n) { return SameNameAnyCase(name, n); }))
            found.push_back(it->path());
    }
    return found;
}

void RemoveAll(const std::vector<fs::path>& files) {
    for (const fs::path& p : files) {
        std::error_code ec;
        fs::remove(p, ec);
    }
}

}  // namespace

std::span<const char* const> FemWorkFiles() { return kWorkFiles; }

void remove_in_work_path(std::string_view name) {
    const std::string copy(name);
    const char* names[] = {copy.c_str()};
    RemoveAll(FilesNamed(names));
}

void remove_item_results(const CJsBaseData& data) {
    for (int k = 0; k < data.m_nJtNum; ++k) {
        const std::string dxf = data.GetDxfFileName(k);
        if (!dxf.empty()) remove_in_work_path(dxf);
    }
    const std::string rtf = data.GetRtfFileName(0);
    if (!rtf.empty()) remove_in_work_path(rtf);
}

int delete_fem_files() {
    RemoveAll(FilesNamed(FemWorkFiles()));
    return 1;
}

int end_fem_run(const FemRunEnding& ending) {
    if (JS_ERROR_CODE) {
        tell_error(kv::err::kDataError, ending.failure);
        return 0;
    }
    tell_error(kv::err::kDataError, ending.success);
    JS_ERROR_CODE = 0;  // the line's code stops runs; a success leaves nothing pending
    return 1;
}

int run_fem_calculation(const std::string& title, const FemRunEnding& ending, const std::function<int()>& calculate) {
    int result = 0;
    const bool ran = kv::calc::Run(title, [&] {
        try {
            result = calculate();
        } catch (const std::bad_alloc&) {
            tell_error(kv::err::kFailure, "内存不够 !");
            delete_fem_files();
            tell_error(kv::err::kDataError, ending.failure);
            result = 0;
        }
    });
    return ran ? result : 0;
}
