#include "views/commandicons.h"

#include "app/commandids.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <map>

namespace {

struct Label {
    const char* text;
    const char* glyph;  // the character on the button of a module or load command
};

const std::map<int, Label>& Labels() {
    static const std::map<int, Label> labels = {
        {kv::cmd::kAppExit, {"退出", nullptr}},
        {kv::cmd::kSelectItems, {"选择计算项目", nullptr}},
        {kv::cmd::kJss, {"生成编辑计算书", nullptr}},
        {kv::cmd::kDxjs, {"单项计算", nullptr}},
        {kv::cmd::kZoomOut, {"缩小", nullptr}},
        {kv::cmd::kZoomIn, {"放大", nullptr}},
        {kv::cmd::kShowAll, {"全图显示", nullptr}},
        {kv::cmd::kShowMove, {"移动图形", nullptr}},
        {kv::cmd::kShowRect, {"窗口放大", nullptr}},
        {kv::cmd::kShowAgain, {"重画", nullptr}},
        {kv::cmd::kShowPrevious, {"前一显示", nullptr}},
        {kv::cmd::kBackToProject, {"返回", nullptr}},
        {kv::cmd::kMakeBaoBiao, {"生成计算书", nullptr}},
        {kv::cmd::kViewBaoBiao, {"查看计算书", nullptr}},
        {kv::cmd::kOpenBaoBiaoDoc, {"用Word打开计算书", nullptr}},
        {kv::cmd::kEditCopy, {"拷贝", nullptr}},
        {kv::cmd::kEditPaste, {"粘贴", nullptr}},
        {kv::cmd::kOpenProject, {"打开工程", nullptr}},
        // Member commands.
        {32809, {"顶板", "顶"}},
        {32844, {"外墙", "外"}},
        {32846, {"底板", "底"}},
        {32788, {"临空墙", "临"}},
        {32845, {"单元隔墙", "隔"}},
        {32794, {"门框墙", "门"}},
        {32843, {"窗井墙", "窗"}},
        {32810, {"连续梁", "连"}},
        {32811, {"井字梁", "井"}},
        {32812, {"无梁楼盖", "无"}},
        {32830, {"刚架", "刚"}},
        {32816, {"矩形球面扁壳", "矩"}},
        {32817, {"正六边形球面扁壳", "六"}},
        {32818, {"圆形球面扁壳", "圆"}},
        {32793, {"梁配筋", "梁"}},
        {32796, {"柱配筋", "柱"}},
        {32786, {"选筋", "筋"}},
        // Load commands.
        {32774, {"地下室公式", "公"}},
        {32783, {"地下室查表", "查"}},
        {32772, {"门框墙荷载", "门"}},
        {32775, {"防倒塌", "塌"}},
        {32776, {"单元隔墙荷载", "隔"}},
        {32777, {"临空墙荷载", "临"}},
        {32778, {"采光窗荷载", "窗"}},
    };
    return labels;
}

bool IsLoadCommand(int id) {
    switch (id) {
        case 32774: case 32783: case 32772: case 32775: case 32776: case 32777: case 32778: return true;
        default: return false;
    }
}

constexpr int kSize = 32;
const QColor kInk(40, 52, 70);
const QColor kPaper(250, 250, 246);
const QColor kBlue(46, 110, 190);
const QColor kGreen(46, 140, 90);
const QColor kRed(196, 60, 50);

void Page(QPainter& p, QColor lines = kInk) {
    p.setPen(QPen(kInk, 2));
    p.setBrush(kPaper);
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(QPen(lines, 1.6));
    for (int y = 12; y <= 24; y += 4) p.drawLine(11, y, 22, y);
}

void Magnifier(QPainter& p, int cx, int cy, int r) {
    p.setPen(QPen(kInk, 2.4));
    p.setBrush(QColor(220, 235, 250));
    p.drawEllipse(QPoint(cx, cy), r, r);
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + r * 0.72, cy + r * 0.72), QPointF(cx + r * 1.6, cy + r * 1.6));
}

void Arrow(QPainter& p, QPointF from, QPointF to, QColor color) {
    p.setPen(QPen(color, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    QLineF line(to, from);
    QLineF a = line;
    a.setLength(6);
    a.setAngle(line.angle() + 35);
    QLineF b = line;
    b.setLength(6);
    b.setAngle(line.angle() - 35);
    p.drawLine(a);
    p.drawLine(b);
}

void Badge(QPainter& p, const char* glyph, QColor fill) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    QFont font("WenQuanYi Micro Hei");
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QString::fromUtf8(glyph));
}

void Draw(QPainter& p, int id) {
    using namespace kv::cmd;
    if (auto it = Labels().find(id); it != Labels().end() && it->second.glyph) {
        Badge(p, it->second.glyph, IsLoadCommand(id) ? QColor(214, 112, 28) : kBlue);
        return;
    }
    switch (id) {
        case kAppExit:
            p.setPen(QPen(kInk, 2));
            p.setBrush(QColor(200, 170, 120));
            p.drawRect(5, 4, 14, 24);
            Arrow(p, {14, 16}, {29, 16}, kRed);
            break;
        case kSelectItems:
            for (int i = 0; i < 3; ++i) {
                int y = 5 + i * 9;
                p.setPen(QPen(kInk, 2));
                p.setBrush(kPaper);
                p.drawRect(4, y, 7, 7);
                p.setPen(QPen(kGreen, 2.4, Qt::SolidLine, Qt::RoundCap));
                if (i != 1) {
                    p.drawLine(5, y + 3, 7, y + 6);
                    p.drawLine(7, y + 6, 12, y - 1);
                }
                p.setPen(QPen(kInk, 2));
                p.drawLine(15, y + 4, 28, y + 4);
            }
            break;
        case kJss:
            Page(p, kBlue);
            break;
        case kDxjs:
            p.setPen(QPen(kInk, 2));
            p.setBrush(QColor(225, 230, 238));
            p.drawRoundedRect(6, 3, 20, 26, 3, 3);
            p.setBrush(QColor(190, 225, 200));
            p.drawRect(9, 6, 14, 6);
            p.setPen(Qt::NoPen);
            p.setBrush(kInk);
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c) p.drawRect(9 + c * 5, 15 + r * 4, 3, 2);
            break;
        case kZoomIn:
        case kZoomOut:
            Magnifier(p, 13, 13, 9);
            p.setPen(QPen(kInk, 2.4));
            p.drawLine(9, 13, 17, 13);
            if (id == kZoomIn) p.drawLine(13, 9, 13, 17);
            break;
        case kShowAll:
            p.setPen(QPen(kBlue, 2.4));
            p.setBrush(Qt::NoBrush);
            p.drawRect(4, 4, 24, 24);
            p.setPen(QPen(kInk, 2));
            p.drawLine(9, 22, 16, 10);
            p.drawLine(16, 10, 23, 22);
            p.drawLine(9, 22, 23, 22);
            break;
        case kShowMove:
            Arrow(p, {16, 16}, {16, 3}, kInk);
            Arrow(p, {16, 16}, {16, 29}, kInk);
            Arrow(p, {16, 16}, {3, 16}, kInk);
            Arrow(p, {16, 16}, {29, 16}, kInk);
            break;
        case kShowRect:
            p.setPen(QPen(kBlue, 2, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(3, 3, 18, 14);
            Magnifier(p, 19, 19, 6);
            break;
        case kShowAgain: {
            p.setPen(QPen(kGreen, 2.8, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(6, 6, 20, 20), 60 * 16, 270 * 16);
            Arrow(p, {17, 5}, {24, 7}, kGreen);
            break;
        }
        case kShowPrevious:
        case kBackToProject:
            p.setPen(QPen(id == kShowPrevious ? kBlue : kGreen, 2.8, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(10, 8, 18, 18), 270 * 16, 180 * 16);
            Arrow(p, {19, 8}, {5, 8}, id == kShowPrevious ? kBlue : kGreen);
            p.drawLine(19, 26, 13, 26);
            break;
        case kMakeBaoBiao:
            Page(p);
            p.setPen(QPen(kGreen, 3));
            p.drawLine(22, 21, 22, 31);
            p.drawLine(17, 26, 27, 26);
            break;
        case kViewBaoBiao:
            Page(p);
            Magnifier(p, 20, 20, 5);
            break;
        case kOpenBaoBiaoDoc: {
            Page(p);
            p.setPen(Qt::NoPen);
            p.setBrush(kBlue);
            p.drawRect(12, 14, 17, 14);
            QFont font;
            font.setPixelSize(13);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(QRectF(12, 14, 17, 14), Qt::AlignCenter, "W");
            break;
        }
        case kEditCopy:
            p.setPen(QPen(kInk, 2));
            p.setBrush(kPaper);
            p.drawRect(4, 4, 15, 19);
            p.drawRect(13, 10, 15, 19);
            break;
        case kEditPaste:
            p.setPen(QPen(kInk, 2));
            p.setBrush(QColor(200, 170, 120));
            p.drawRoundedRect(5, 5, 20, 24, 2, 2);
            p.setBrush(QColor(170, 175, 185));
            p.drawRect(11, 2, 8, 6);
            p.setBrush(kPaper);
            p.drawRect(13, 13, 15, 17);
            break;
        case kOpenProject:
            p.setPen(QPen(kInk, 2));
            p.setBrush(QColor(240, 200, 90));
            p.drawRect(3, 8, 26, 19);
            p.drawRect(3, 5, 10, 4);
            break;
        default:
            p.setPen(QPen(kInk, 2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(8, 8, 16, 16);
            break;
    }
}

}  // namespace

QIcon CommandIcon(int id) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(kSize * scale, kSize * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(scale, scale);
        Draw(painter, id);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QString CommandLabel(int id) {
    auto it = Labels().find(id);
    return it == Labels().end() ? QString::number(id) : QString::fromUtf8(it->second.text);
}
