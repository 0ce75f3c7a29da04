#include "widgets/jisuanhost.h"

#include <string>

#include "base/calcrunner.h"
#include "base/globals.h"
#include "base/jsdata.h"
#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "report/rtf.h"

int RunJiSuanRoad(CJiSuanBase& calculation) {
    CJsDataBase* data = calculation.m_pData;
    CJsResultBase* result = calculation.m_pResult;
    if (!data || !result) return 0;
    const int diagrams = data->m_nJtNum;
    const int steps = diagrams + 3;
    int step = 0;

    const std::string dataFile = G_strWorkPath + data->GetDataFileName();
    if (if_file_exist(dataFile.c_str())) data->LoadData(dataFile.c_str());
    if (!calculation.CheckData()) return 0;
    if (!calculation.JiSuan()) return 0;
    kv::calc::ReportProgress(++step, steps);

    int ok = result->SaveData((G_strWorkPath + data->GetResFileName()).c_str());
    for (int k = 0; k < diagrams; ++k) {
        CBase_SGT drawing;
        drawing.New_MemDxf();
        drawing.Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
        drawing.Write_Tables();
        if (calculation.DrawResult(k, &drawing, 0))
            ok &= drawing.Write_MemDxf_To_File((G_strWorkPath + data->GetJtFileName(k)).c_str()) ? 1 : 0;
        kv::calc::ReportProgress(++step, steps);
    }

    kv::report::CRTF report;
    if (report.Open((G_strWorkPath + data->GetJssFileName(0)).c_str())) {
        calculation.WriteJss(1, &report);
        ok &= report.Close() ? 1 : 0;
    } else {
        ok = 0;
    }
    kv::calc::ReportProgress(++step, steps);
    calculation.WritePrompt();
    kv::calc::ReportProgress(++step, steps);
    return ok;
}
