#pragma once
// The rigid frame's calculation: the model the geometry editor left in the work
// folder analysed, every member designed, the report and the seven diagrams
// written there under the data's names.
class CGjData;

// 1 when the run succeeded, 0 otherwise; the reason and the end of the run
// ("计算成功 !" / "计算不成功 !") go to the message window.
int gj_calculate(CGjData* data);
