#include <memory>
#include <new>
#include <string>

#include "base/error.h"
#include "base/globals.h"
#include "codes/guifan.h"
#include "design/pj_beam.h"
#include "design/pj_column.h"
#include "members/slabwall/qiang.h"
#include "report/rtf.h"

QiangShears qiang_shear_values(const CLkqData& w) {
    const float a = w.Width, b = w.Height, q = w.Load, qt = w.TriLoad;
    QiangShears v;
    if (w.OneWay) {
        // A strip 1 m wide: the triangle's resultant acts at a third of the height.
        v.bottom = q * b / 2 + 2.0f / 3 * qt * b / 2;
        v.top = q * b / 2 + 1.0f / 3 * qt * b / 2;
        return v;
    }
    if (a > b) {
        // Trapezoids on the long edges, triangles on the short ones.
        const float trapezoid = (a - b) * b / 2 + b * b / 4;
        const float m = qt / 2;
        v.bottom = q * trapezoid + (m + qt) * b * (a - b) / 4 + m * b * b / 4 + (qt - m) * b * b / 6;
        v.top = q * trapezoid + m * b * (a - b) / 4 + m * b * b / 12;
        v.side = q * b * b / 4 + b * b * (m + qt) / 12;
    } else {
        const float triangle = a * a / 4, trapezoid = (b - a) * a / 2 + a * a / 4;
        const float p1 = qt * (b - a / 2) / b, p2 = qt * (a / 2) / b;
        const float bottomShare = triangle * p1 + (qt - p1) * a * a / 6, topShare = triangle * p2 / 3;
        v.bottom = q * triangle + bottomShare;
        v.top = q * triangle + topShare;
        v.side = q * trapezoid + (a * b * qt / 2 - bottomShare - topShare) / 2;
    }
    return v;
}

namespace {

void Text(kv::report::CRTF& rtf, const PJ_BASE& design, const char* name, const char* end) {
    rtf.InsertText("\t\x02" "24%s%s\n", design.GetVar(name).c_str(), end);
}

// One edge: the plate's shear check, and for top and bottom the strip's shear
// with its axial force, whose steel texts then stand in the report.
void Edge(kv::report::CRTF& rtf, const CLkqData& w, PJ_BEAM_KV& beam, PJ_COLUMN_DC_KV* column, const char* title,
          float v, float width) {
    const float t = static_cast<float>(w.Thickness);
    rtf.InsertText("%s", title);
    beam.set_value(0, v * 1000, 0, width, t, 0, 1.2f, 0);
    beam.Sheer();
    if (column) {
        column->b = width, column->h = t, column->l0 = w.Height * 1000, column->V = v * 1000;
        column->N = -w.VertLoad * 1000 * w.Width;
        column->LaYaJian_y();
    }
    rtf.InsertText("    截面验算：\n");
    Text(rtf, beam, "JianNiu.RTF.JieMian", "。");
    rtf.InsertText("    不配抗剪钢筋验算：\n");
    Text(rtf, beam, "JianNiu.RTF.No_Av1", "。");
    Text(rtf, beam, "JianNiu.RTF.No_Av2", "。");
    if (beam.GetVar("JianNiu.No_Av") == "1") {
        const PJ_BASE& steel = column ? static_cast<const PJ_BASE&>(*column) : beam;
        rtf.InsertText("    配筋计算：\n");
        for (const char* name : {"JianNiu.RTF.Av0", "JianNiu.RTF.Av1", "JianNiu.RTF.Av2", "JianNiu.RTF.Av3"})
            Text(rtf, steel, name, "");
    }
}

}  // namespace

int qiang_shear_check(CLkqData& w) {
    const QiangShears v = qiang_shear_values(w);
    w.EdgeV[0] = v.bottom, w.EdgeV[2] = v.top;
    w.EdgeV[1] = w.EdgeV[3] = v.side;
    std::unique_ptr<PJ_BEAM_KV> beam(new (std::nothrow) PJ_BEAM_KV);
    std::unique_ptr<PJ_COLUMN_DC_KV> column(new (std::nothrow) PJ_COLUMN_DC_KV);
    if (!beam || !column) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return 0;
    }
    beam->Ini_QiangBan(w.ConGrade, w.BarGrade, w.BarGrade, 0, w.Cover, w.Cover, 2, 1.0f, w.Steam, 2, w.Beta, 1, 1.0f,
                       1.0f, 1.0f, 1.0f);
    column->Ini(w.ConGrade, w.BarGrade, w.BarGrade, 0, w.Cover, 1.0f, w.Steam, 1, 1, w.Beta);

    const std::string path = G_strWorkPath + w.GetRtfFileName(0) + "_tmp";
    kv::report::CRTF rtf;
    rtf.Open(path.c_str());
    rtf.InsertText("[ 抗剪验算 ]\n");
    rtf.InsertText("  抗剪钢筋级别: %s\n", _GJ(w.BarGrade));
    const float width = w.OneWay ? 1000.0f : w.Width * 1000;
    if (w.OneWay) {
        rtf.InsertText("  板计算宽度: 按1米宽计算\n");
        rtf.InsertText("  板边剪力: 上边V=%.2fkN/m, 下边V=%.2fkN/m\n", v.top, v.bottom);
    } else {
        rtf.InsertText("  板计算宽度: 按全宽计算\n");
        rtf.InsertText("  板边剪力: 左右边V=%.2fkN, 上边V=%.2fkN, 下边V=%.2fkN\n", v.side, v.top, v.bottom);
    }
    Edge(rtf, w, *beam, column.get(), "  上边:\n", v.top, width);
    Edge(rtf, w, *beam, column.get(), "  下边:\n", v.bottom, width);
    if (!w.OneWay) Edge(rtf, w, *beam, nullptr, "  左右边:\n", v.side, w.Height * 1000);
    rtf.Close();
    return 1;
}
