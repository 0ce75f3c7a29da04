#include "drawing/pen_sgtex.h"

#include "drawing/geom.h"

using namespace kv::drawing;

// ------------------------------------------------------------ CPenSGTEx

int CPenSGTEx::Draw_SteelPolyline(int kind, int n, const float* x, const float* y, const float* p,
                                  int startType, int endType) {
    const int savedState = m_nDrawState;
    Push_ENV();
    m_nDrawState = 1;

    char name[100];
    if (m_LayerManager.GetSteelLyr(2, name, 100, nullptr, nullptr)) SetCurLayer_Check(name);
    else SetCurLayer_Check("0");

    SetSteelColor("BYLAYER");
    BeginAddExtDataTuSu();
    m_nExtType = 28;
    m_nElemCount++;

    const int st = (startType == 1 || startType == -1) ? startType : 0;
    const int et = (endType == 1 || endType == -1) ? endType : 0;
    Draw_PLineBinder(kind, n, x, y, p, st, et, 0);

    const float u = GetAbsLength(1);
    const bool marks = n >= 2 && x && y;  // the marks follow the bar's end segments
    const float halfPi = static_cast<float>(kPi / 2);
    if ((startType == 2 || startType == -2) && marks) {
        const float th = JH_GetAngle(x[0], y[0], x[1], y[1]);
        const float phi = startType == 2 ? th + halfPi : th - halfPi;
        float xs[2], ys[2];
        get_polar_point(x[0], y[0], u, phi, &xs[0], &ys[0]);
        get_polar_point(xs[0], ys[0], 1.5f * u, th, &xs[1], &ys[1]);
        Draw_PLineSteel(kind, 2, xs, ys, nullptr, 0, 0, 0, 2);
    }
    if ((endType == 2 || endType == -2) && marks) {
        const float th = JH_GetAngle(x[n - 1], y[n - 1], x[n - 2], y[n - 2]);
        const float phi = endType == 2 ? th - halfPi : th + halfPi;
        float xs[2], ys[2];
        get_polar_point(x[n - 1], y[n - 1], u, phi, &xs[0], &ys[0]);
        get_polar_point(xs[0], ys[0], 1.5f * u, th, &xs[1], &ys[1]);
        Draw_PLineSteel(kind, 2, xs, ys, nullptr, 0, 0, 0, 2);
    }

    EndAddExtDataTuSu();
    m_nDrawState = savedState;
    Pop_ENV();
    return 1;
}

int CPenSGTEx::Draw_PLineMirror(int lt, int n, float* x, float* y, int mirror, const float* p,
                                int flag, const char* layer, const char* color) {
    if (x && y) {
        for (int i = 0; i < n; ++i) {
            if (mirror == 1) y[i] = -y[i];
            else if (mirror == 2) x[i] = -x[i];
        }
    }
    return CPenSGT::Draw_PLine(lt, n, x, y, p, flag, layer, color);
}

int CPenSGTEx::Draw_RadialLabel(float x, float y, float angleDeg, float length, const char* text,
                                const char* layer, const char* color) {
    const float a = static_cast<float>(angleDeg * kPi / 180.0);
    float ex, ey, tx, ty;
    get_polar_point(x, y, length, a, &ex, &ey);
    get_polar_point(x, y, 100, a + static_cast<float>(kPi / 4), &tx, &ty);
    if (!CPenSGT::Draw_Line(LT_FINE, x, y, ex, ey, false, layer, color)) return 0;
    return CPenSGT::Draw_Text(0, tx, ty, angleDeg, text, "BL", layer, color);
}
