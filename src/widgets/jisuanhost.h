#pragma once
// The road of one 计算 of the table-window modules, as their calculation host
// runs it. Core code, so that every window that hosts such a module runs the
// same sequence; a window runs it inside kv::calc::Run.
class CJiSuanBase;

// With the calculation object's data and result objects, all files in the work
// folder:
//   1. the data file (GetDataFileName) is read when it is there;
//   2. CheckData, then JiSuan: a refusal or a failure ends the road (the
//      calculation has said why);
//   3. the result file (GetResFileName) is saved;
//   4. each diagram (DrawResult, 0 .. the data object's diagram count − 1) is
//      written to GetJtFileName(k), before the report, which may show them;
//   5. the report (WriteJss) into GetJssFileName(0);
//   6. the result summary (WritePrompt).
// 1 when the calculation ran and its files were written; 0 when it was refused
// or failed, or a file could not be written.
int RunJiSuanRoad(CJiSuanBase& calculation);
