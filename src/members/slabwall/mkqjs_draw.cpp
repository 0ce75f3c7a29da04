#include "members/slabwall/mkqjs_calc.h"

// The result drawings are not drawn yet: every diagram comes out empty.
int CMkqJiSuan::DrawResult(int k, CBase_SGT* drawing, int) { return drawing && k >= 0 && k < kMkqDiagramCount ? 1 : 0; }

int CMkqJiSuan::OutDrawing(CBase_SGT* drawing, int, int) { return drawing ? 1 : 0; }
