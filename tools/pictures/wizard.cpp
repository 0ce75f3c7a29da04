// Pictures of the blast-load formula wizard: the member sketches of the basic
// page and the help pictures of the step pages.
//
// Values shown are the program's own defaults and formulas; the two tables of
// allowed ductility ratios are transcribed from GB 50038-2005 (4.6.2, 4.6.3).
#include "pictures.h"

#include <QPainterPath>
#include <cmath>

namespace {

const QColor kConcrete(150, 150, 150);
const QColor kLoad(210, 0, 0);

void Slab(QPainter& p, const QRectF& r) { p.fillRect(r, kConcrete); }

// Roof loaded from above and floor from below; the clear short span L0.
void Sample(QPainter& p) {
    Soil(p, QRectF(0, 18, 224, 156));
    p.fillRect(QRectF(44, 60, 136, 66), Qt::white);
    Slab(p, QRectF(36, 52, 152, 8));    // roof
    Slab(p, QRectF(36, 126, 152, 8));   // floor
    Slab(p, QRectF(36, 52, 8, 82));     // walls
    Slab(p, QRectF(180, 52, 8, 82));
    Ground(p, 0, 224, 18);
    for (double x = 92; x <= 172; x += 20) Arrow(p, {x, 22}, {x, 50}, kLoad);
    for (double x = 92; x <= 172; x += 20) Arrow(p, {x, 170}, {x, 136}, kLoad);
    Dimension(p, {14, 18}, {14, 52}, QStringLiteral("覆土厚"));
    Dimension(p, {44, 100}, {180, 100}, QStringLiteral("L0"));
    Text(p, {50, 62}, QStringLiteral("顶板"), 12);
    Text(p, {50, 108}, QStringLiteral("底板"), 12);
}

// The wall loaded from the side by a burst at distance R; roof depth h1 and
// storey height h.
void Sample1(QPainter& p) {
    Soil(p, QRectF(0, 40, 224, 134));
    p.fillRect(QRectF(128, 78, 96, 72), Qt::white);
    Slab(p, QRectF(120, 70, 104, 8));
    Slab(p, QRectF(120, 150, 104, 8));
    Slab(p, QRectF(120, 70, 8, 88));
    Ground(p, 0, 224, 40);
    Burst(p, {26, 40}, 10);
    Dimension(p, {26, 22}, {124, 22}, QStringLiteral("R"));
    for (double y = 86; y <= 142; y += 14) Arrow(p, {92, y}, {118, y}, kLoad);
    Dimension(p, {150, 40}, {150, 70}, QStringLiteral("h1"));
    Dimension(p, {150, 78}, {150, 150}, QStringLiteral("h"));
    Text(p, {60, 150}, QStringLiteral("外墙"), 12);
}

// Stress and strain of the soil under the compression wave: initial and peak
// wave speed, and the strain recovered on unloading.
void SoilCurve(QPainter& p, QPointF o) {
    p.setPen(QPen(Qt::black, 1.2));
    Arrow(p, o, o + QPointF(230, 0), Qt::black, 1.2);
    Arrow(p, o, o + QPointF(0, -160), Qt::black, 1.2);
    Text(p, o + QPointF(232, -8), QStringLiteral("ε"));
    Text(p, o + QPointF(-16, -172), QStringLiteral("σ"));
    // Loading: stiff at first, softer towards the peak.
    const QPointF peak = o + QPointF(190, -130);
    QPainterPath loading(o);
    loading.cubicTo(o + QPointF(40, -90), o + QPointF(110, -125), peak);
    p.setPen(QPen(QColor(0, 0, 160), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(loading);
    // Unloading to the residual strain.
    const QPointF residual = o + QPointF(152, 0);
    p.drawLine(peak, residual);
    p.setPen(QPen(Qt::darkGreen, 1, Qt::DashLine));
    p.drawLine(o, o + QPointF(75, -150));     // tangent: v0
    p.drawLine(o, peak);                      // secant: v1
    p.drawLine(peak, o + QPointF(190, 0));
    p.setPen(Qt::black);
    Text(p, o + QPointF(78, -168), QStringLiteral("v0"));
    Text(p, o + QPointF(120, -70), QStringLiteral("v1"));
    Text(p, o + QPointF(140, 4), QStringLiteral("εr"), 12);
    Text(p, o + QPointF(184, 4), QStringLiteral("εmax"), 12);
}

void SoilParameters(QPainter& p, const QString& title, const QStringList& notes) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 6, 440, 22), Qt::AlignCenter, title);
    SoilCurve(p, {30, 220});
    Text(p, {280, 60}, notes.join('\n'), 13);
}

void SoilUnsaturated(QPainter& p) {
    SoilParameters(p, QStringLiteral("非饱和土的压缩波参数"),
                   {QStringLiteral("v0 — 起始压力波速 (m/s)"), QStringLiteral("v1 — 峰值压力波速 (m/s)"),
                    QStringLiteral("波速比 γ = v0 / v1"), QStringLiteral("应变恢复比"),
                    QStringLiteral("  δ = (εmax − εr) / εmax"), QString(), QStringLiteral("取值按 GB 50038-2005"),
                    QStringLiteral("的规定")});
}

void SoilSaturated(QPainter& p) {
    SoilParameters(p, QStringLiteral("饱和土的压缩波参数"),
                   {QStringLiteral("饱和土按含气量 α1 (%)"), QStringLiteral("确定土的参数"), QString(),
                    QStringLiteral("程序对饱和土取"), QStringLiteral("  波速比 γ = 1.5"),
                    QStringLiteral("顶板综合反射系数 K"), QStringLiteral("  由 △Pm 与含气量确定"), QString(),
                    QStringLiteral("取值按 GB 50038-2005 的规定")});
}

// A wall in the soil: the roof's soil pressure Ph and the side pressure on the wall.
void SidePressure(QPainter& p) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 6, 420, 22), Qt::AlignCenter, QStringLiteral("土的侧压系数 ξ"));
    Soil(p, QRectF(20, 60, 200, 160));
    Ground(p, 20, 240, 60);
    Slab(p, QRectF(220, 60, 12, 160));
    for (double x = 60; x <= 180; x += 30) Arrow(p, {x, 34}, {x, 58}, kLoad);
    Text(p, {28, 36}, QStringLiteral("Ph"), 14);
    for (double y = 80; y <= 200; y += 20) Arrow(p, {186, y}, {218, y}, kLoad);
    Text(p, {120, 130}, QStringLiteral("Pc2"), 14);
    Text(p, {256, 70}, QStringLiteral("Pc2 = ξ · Ph\n\nξ — 土的侧压系数\n\n程序默认 ξ = 0.3\n取值按 GB 50038-2005\n的规定"), 13);
}

// The uneven pressure on a wall and the uniform load that stands for it.
void WallPressure(QPainter& p, bool inSoil) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 6, 440, 22), Qt::AlignCenter,
               inSoil ? QStringLiteral("土中外墙荷载均布化系数 Ce") : QStringLiteral("地面外墙荷载均布化系数 Ce"));
    const double wallX = 220, top = 60, bottom = 220;
    if (inSoil) {
        Soil(p, QRectF(10, top, wallX - 10, bottom - top));
        Ground(p, 10, wallX + 14, top);
        Burst(p, {40, 110}, 10);
        Text(p, {30, 124}, QStringLiteral("爆心"), 12);
    } else {
        Ground(p, 10, wallX + 14, bottom);
        Burst(p, {40, bottom}, 10);
        Text(p, {30, bottom - 34}, QStringLiteral("爆心"), 12);
    }
    Slab(p, QRectF(wallX, top, 12, bottom - top));
    // The peak pressure is where the wave meets the wall first.
    const double peakY = inSoil ? 110 : bottom;
    QPainterPath actual;
    for (int i = 0; i <= 40; ++i) {
        const double y = top + (bottom - top) * i / 40.0;
        const double d = std::abs(y - peakY) / (bottom - top);
        const QPointF at(wallX - 10 - 70 * (1 - d) * (1 - d), y);
        if (i == 0) actual.moveTo(at);
        else actual.lineTo(at);
    }
    p.setPen(QPen(kLoad, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(actual);
    p.setPen(QPen(Qt::blue, 1.5, Qt::DashLine));
    p.drawRect(QRectF(wallX - 50, top, 40, bottom - top));
    for (double y = top + 15; y < bottom; y += 25) Arrow(p, {wallX - 50, y}, {wallX - 2, y}, Qt::blue, 1);
    p.setPen(Qt::black);
    const QString notes = inSoil
        ? QStringLiteral("均布荷载 = Ce × 最大荷载\n\nPc2 = [(1−ξ)cos²θ + ξ]\n      × P0 · Kr · Ce\n\n程序默认 Ce = 0.9")
        : QStringLiteral("均布荷载 = Ce × 最大荷载\n\nPc2' = [2△Pcm + 6△Pcm²\n   /(△Pcm + 0.7)] · Ce\n   (△Pcm 以 MPa 计)\n\n程序默认 Ce = 0.95");
    Text(p, {252, 60}, notes, 13);
}

void SoilWave(QPainter& p, bool saturated) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 6, 460, 22), Qt::AlignCenter,
               saturated ? QStringLiteral("饱和土参数 ρ、c、n") : QStringLiteral("非饱和土参数 ρ、c、n"));
    Soil(p, QRectF(10, 50, 200, 150));
    Ground(p, 10, 224, 50);
    Slab(p, QRectF(210, 50, 12, 150));
    Burst(p, {40, 110}, 10);
    Arrow(p, {54, 110}, {206, 110}, kLoad);
    Text(p, {110, 86}, QStringLiteral("R"), 14);
    Text(p, {236, 50},
         QStringLiteral("P0 = 0.00682 ρ c (5.4R / ∛(7.4C))^(−n)\n\nρ — 土的质量密度 (kg/m3)\nc — 土的地震波波速 (m/s)\nn — 土的衰减系数\n\n") +
             (saturated ? QStringLiteral("饱和土按规范中饱和土的数值采用")
                        : QStringLiteral("程序默认 ρ = 1800, c = 300, n = 2.7")),
         12);
    Text(p, {236, 196}, QStringLiteral("取值按 GB 50038-2005 的规定"), 12);
}

void Ductility(QPainter& p) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 6, 460, 22), Qt::AlignCenter, QStringLiteral("结构构件的允许延性比 [β] (防核武器)"));
    Table(p, {10, 40}, {140, 70, 80, 80, 70}, 30,
          {{QStringLiteral("使用要求"), QStringLiteral("受弯"), QStringLiteral("大偏心受压"), QStringLiteral("小偏心受压"),
            QStringLiteral("轴心受压")},
           {QStringLiteral("密闭、防水要求高"), "1.0", "1.0", "1.0", "1.0"},
           {QStringLiteral("密闭、防水要求一般"), "3.0", "2.0", "1.5", "1.2"}});
    Text(p, {10, 140}, QStringLiteral("程序默认: 顶板、底板 3.0, 外墙 2.0"), 13);
}

void DuctilityConventional(QPainter& p) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 6, 460, 22), Qt::AlignCenter, QStringLiteral("结构构件的允许延性比 [β] (防常规武器)"));
    Table(p, {10, 40}, {140, 70, 80, 80, 70}, 30,
          {{QStringLiteral("受力状态"), QStringLiteral("受弯"), QStringLiteral("大偏心受压"), QStringLiteral("小偏心受压"),
            QStringLiteral("轴心受压")},
           {QStringLiteral("允许延性比 [β]"), "4.0", "3.0", "1.5", "1.2"}});
    Text(p, {10, 110}, QStringLiteral("程序默认: 顶板 4.0, 外墙 3.0"), 13);
}

const AddPictures kWizardPictures = {
    {"IDB_BITMAP_SAMPLE", {224, 174}, Sample},
    {"IDB_BITMAP_SAMPLE1", {224, 174}, Sample1},
    {"IDB_BITMAP_SOIL", {440, 250}, SoilUnsaturated},
    {"IDB_BITMAP_SOIL1", {440, 250}, SoilSaturated},
    {"IDB_BITMAP_CYXS", {420, 240}, SidePressure},
    {"IDB_BITMAP_WQCE", {440, 240}, [](QPainter& p) { WallPressure(p, true); }},
    {"IDB_BITMAP_WQ2CE", {440, 240}, [](QPainter& p) { WallPressure(p, false); }},
    {"IDB_BITMAP_WQCN", {480, 220}, [](QPainter& p) { SoilWave(p, false); }},
    {"IDB_BITMAP_WQCN1", {480, 220}, [](QPainter& p) { SoilWave(p, true); }},
    {"IDB_BITMAP_BEITA", {460, 170}, Ductility},
    {"IDB_BITMAP_BEITA_C", {460, 140}, DuctilityConventional},
};

}  // namespace
