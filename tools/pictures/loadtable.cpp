// Pictures of the table look-up pages: the calculate button and the two roof
// tables, filled from the look-ups themselves so that they show what KV answers.
#include "pictures.h"

#include "loads/loadtable.h"

#include <QLinearGradient>

namespace {

constexpr QSize kButton(110, 32);

// The calculate button, raised or pressed.
void Button(QPainter& p, bool pressed) {
    const QRect r(QPoint(0, 0), kButton);
    QLinearGradient face(0, 0, 0, kButton.height());
    face.setColorAt(0, pressed ? QColor(196, 206, 222) : QColor(248, 250, 253));
    face.setColorAt(1, pressed ? QColor(226, 232, 242) : QColor(208, 218, 234));
    p.fillRect(r, face);
    const QColor light(255, 255, 255), dark(96, 108, 128);
    p.setPen(pressed ? dark : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(pressed ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(QColor(20, 40, 110));
    SetFont(p, 15, true);
    p.drawText(r.translated(pressed ? 1 : 0, pressed ? 1 : 0), Qt::AlignCenter, QStringLiteral("计    算"));
}

QString Number(float v) { return QString::number(v, 'f', 0); }
QString Range(float lo, float hi) { return lo < 0 ? QStringLiteral("—") : Number(lo) + "～" + Number(hi); }

void Title(QPainter& p, double width, const QString& text) {
    SetFont(p, 15, true);
    p.drawText(QRectF(0, 10, width, 24), Qt::AlignCenter, text);
}

// Conventional roof loads by cover band, 常6 and 常5.
void ConventionalRoof(QPainter& p) {
    Title(p, 450, QStringLiteral("防常规武器爆炸  顶板等效静荷载标准值 qce1 (kN/m2)"));
    const float covers[5] = {0.3f, 0.8f, 1.2f, 1.8f, 2.2f};
    const QString bands[5] = {"h ≤ 0.5", "0.5 < h ≤ 1.0", "1.0 < h ≤ 1.5", "1.5 < h ≤ 2.0", "2.0 < h ≤ 2.5"};
    std::vector<QStringList> rows = {{QStringLiteral("顶板覆土厚度 h (m)"), QStringLiteral("常6级"), QStringLiteral("常5级")}};
    for (int i = 0; i < 5; ++i) {
        QStringList row = {bands[i]};
        for (int cls = 0; cls < 2; ++cls) {
            RoofTableInput in;
            in.cover = covers[i];
            in.convClass = cls;
            float lo = 0, hi = 0;
            LookUpQce1(in, lo, hi);
            row << Range(lo, hi);
        }
        rows.push_back(row);
    }
    Table(p, {20, 46}, {170, 120, 120}, 30, rows);
    Text(p, {20, 236}, QStringLiteral("注: 顶板为钢筋混凝土结构，允许延性比 4.0；\n    计入上部建筑影响时取表中数值乘以 0.8。"), 12);
}

// Nuclear roof loads by cover and span band for the five classes; in brackets the
// value with the building above counted.
void NuclearRoof(QPainter& p) {
    Title(p, 700, QStringLiteral("防核武器爆炸  顶板等效静荷载标准值 qe1 (kN/m2)"));
    struct Band {
        QString cover, span;
        float h, l0;
    };
    const Band bands[] = {
        {"h ≤ 0.5", "3 ≤ L0 ≤ 9", 0.3f, 6.0f},
        {"0.5 < h ≤ 1.0", "3 ≤ L0 ≤ 4.5", 0.8f, 4.0f},  {"", "4.5 < L0 ≤ 6", 0.8f, 5.0f},
        {"", "6 < L0 ≤ 7.5", 0.8f, 7.0f},               {"", "7.5 < L0 ≤ 9", 0.8f, 8.0f},
        {"1.0 < h ≤ 1.5", "3 ≤ L0 ≤ 4.5", 1.2f, 4.0f},  {"", "4.5 < L0 ≤ 6", 1.2f, 5.0f},
        {"", "6 < L0 ≤ 7.5", 1.2f, 7.0f},               {"", "7.5 < L0 ≤ 9", 1.2f, 8.0f},
    };
    std::vector<QStringList> rows = {{QStringLiteral("覆土厚度 h (m)"), QStringLiteral("净跨 L0 (m)"),
                                      QStringLiteral("核6B级"), QStringLiteral("核6级"), QStringLiteral("核5级"),
                                      QStringLiteral("核4B级"), QStringLiteral("核4级")}};
    for (const Band& b : bands) {
        QStringList row = {b.cover, b.span};
        for (int cls = 0; cls < 5; ++cls) {
            RoofTableInput in;
            in.cover = b.h;
            in.span = b.l0;
            in.nuclearClass = cls;
            const float alone = LookUpQe1(in);
            in.upperNuclear = 1;
            const float withBuilding = LookUpQe1(in);
            row << (alone == withBuilding ? Number(alone) : Number(alone) + " (" + Number(withBuilding) + ")");
        }
        rows.push_back(row);
    }
    Table(p, {20, 46}, {120, 110, 80, 80, 90, 70, 70}, 28, rows);
    Text(p, {20, 334},
         QStringLiteral("注: 顶板为钢筋混凝土结构，允许延性比 3.0；括号内为计入上部建筑影响的数值\n"
                        "    (核4B级、核4级不计)；h > 1.5 m 或 L0 在 3 ～ 9 m 以外时按公式计算。"),
         12);
}

const AddPictures kLoadTablePictures = {
    {"IDB_BITMAP_CBJS", kButton, [](QPainter& p) { Button(p, false); }},
    {"IDB_BITMAP_CBJS_SEL", kButton, [](QPainter& p) { Button(p, true); }},
    {"IDB_BITMAP_PC1_C", {450, 290}, ConventionalRoof},
    {"IDB_BITMAP_PC1", {700, 380}, NuclearRoof},
};

}  // namespace
