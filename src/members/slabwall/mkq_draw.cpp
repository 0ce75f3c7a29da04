#include "base/textio.h"
#include "drawing/base_sgt.h"
#include "members/slabwall/mkq.h"

void mkq_draw(const CMkqData& lip, CBase_SGT* d) {
    if (!d) return;
    d->Push_ENV();
    d->SetBiLiChi(100);
    const float dist0 = d->GetDimDistance(0), dist1 = d->GetDimDistance(1);
    // The lip is small beside the drawing's texts: lengths grow with them.
    const float f = d->GetDimTextHeight() / 40;
    const float L = lip.Length * f, L1 = lip.L1 * f, L2 = lip.L2 * f, h = lip.Depth * f;
    const float a = lip.Shape == 1 ? 0.0f : lip.Haunch * f;
    auto mm = [](int value) { return sprintf_gbk("%.0f", static_cast<float>(value)); };

    // The lip on the wall; the wall runs on above and below and is cut off.
    d->SetCurColor("3");
    const float xs[4] = {0, L, L, 0}, ys[4] = {0, a, a + h, a + h};
    d->Draw_Lines(4, xs, ys);
    const float bottom = -1.2f * h, top = a + h + 1.2f * h;
    d->Draw_Line(0, bottom, 0, 0);
    d->Draw_Line(0, a + h, 0, top);
    d->Draw_Line(-h, bottom, -h, top);
    d->Draw_Cut_Sym(-h, top, 0, top);
    d->Draw_Cut_Sym(-h, bottom, 0, bottom);

    d->SetCurColor("7");
    d->SetDimDistance(0, dist0 / 2);
    d->SetDimDistance(1, dist1 / 2);
    d->Draw_Dim_Points(0, -1.5f * h, L, -1.5f * h, mm(lip.Length).c_str(), 1, 0);
    if (a > 0) d->Draw_Dim_Points(1.5f * L, 0, 1.5f * L, a, mm(lip.Haunch).c_str(), 1, 1);
    d->Draw_Dim_Points(1.5f * L, a, 1.5f * L, a + h, mm(lip.Depth).c_str(), 1, 1);

    // qe over L2 from the wall face, qi at L1.
    d->SetCurColor("1");
    const float qeLine = 1.5f * h + a;
    d->Draw_Line(0, qeLine, L2, qeLine);
    for (int i = 0; i <= 8; ++i) d->DrawLineArrow(i * L2 / 8, qeLine, i * L2 / 8, a + h);
    d->DrawLineArrow(L1, 1.9f * h + a, L1, a + h);

    d->SetCurColor("7");
    d->Draw_Dim_Points(0, 2.5f * h + a, L2, 2.5f * h + a, mm(lip.L2).c_str(), 1, 1);
    d->Draw_Dim_Points(0, 3.0f * h + a, L1, 3.0f * h + a, mm(lip.L1).c_str(), 1, 1);

    d->SetDimDistance(0, dist0);
    d->SetDimDistance(1, dist1);
    d->Pop_ENV();
}
