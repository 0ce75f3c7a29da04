// The grid beam's run: the model, the library's input, the analysis, the forces,
// the redistribution and report, then the drawings.
#include <functional>
#include <iterator>
#include <memory>
#include <new>

#include "base/calcrunner.h"
#include "base/error.h"
#include "design/pj_beam.h"
#include "fem/force_file.h"
#include "members/beams/fem_files.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

CJzlJs::CJzlJs() = default;

CJzlJs::~CJzlJs() { Cleanup(); }

void CJzlJs::Cleanup() {
    m_pForce.reset();
    m_pDesign.reset();
    m_Nodes.clear();
    m_Beams.clear();
    m_Panels.clear();
    CloseFile(m_fpInput);
    CloseFile(m_fpReport);
    CloseFile(m_fpOther);
}

int CJzlJs::Run() {
    JS_ERROR_CODE = 0;
    // The steps in the order they run; the progress counts them.
    const std::function<void()> steps[] = {
        [this] { WriteYxyJsDat(); },
        [this] { WriteYsFb(); },
        [this] { m_FbDate.main_date("YXY_JS.DAT", 1, 0); },
        [this] { m_Yxy.main_yxy(0, 1.0e6f, 6000, 2); },
        [this] { ReadForceFb(); },
        [this] { jzl_redistribute(m_pData); },
        [this] { WriteReport(); },
    };
    const int total = static_cast<int>(std::size(steps));
    for (int k = 0; k < total; ++k) {
        steps[k]();
        if (JS_ERROR_CODE) return 0;
        kv::calc::ReportProgress(k + 1, total + 1);
    }
    return 1;
}

int jzl_calculate(CJzlData* data) {
    JS_ERROR_CODE = 0;
    // A run that fails must not leave the drawings and report of an earlier one
    // looking like its own.
    remove_item_results(*data);
    std::unique_ptr<CJzlJs> js(new (std::nothrow) CJzlJs);
    if (!js) {
        tell_error(kv::err::kFailure, "申请对象时内存不够 !");
        return 0;
    }
    js->jzl_build_grid(data);
    if (JS_ERROR_CODE) return 0;
    js->jzl_prepare_model();
    if (JS_ERROR_CODE) return 0;
    js->Run();
    // The work files stay for a look at what went wrong.
    if (JS_ERROR_CODE) return 0;
    js->WriteDxf();
    delete_fem_files();
    tell_error(kv::err::kDataError, "计算结束!");
    return 1;
}
