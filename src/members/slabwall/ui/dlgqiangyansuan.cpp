#include "members/slabwall/ui/dlgqiangyansuan.h"

#include "base/error.h"
#include "design/pj_beam.h"
#include "design/pj_column.h"
#include "widgets/ui/ddx.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>
#include <memory>
#include <new>

QiangYanSuanRecord& SlabSectionCheck() {
    static QiangYanSuanRecord record;
    return record;
}

QiangYanSuanRecord& WallSectionCheck() {
    static QiangYanSuanRecord record;
    return record;
}

namespace {

const char* const kPositions[] = {"下", "右", "上", "左"};
const char* const kBarGrades[] = {"HPB235", "HRB335", "HRB400", "RRB400"};

// One result line; the formats hold UTF-8 text.
QString Line(const char* format, double value) {
    char text[128];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromUtf8(text);
}

}  // namespace

CDlgQiangYanSuan::CDlgQiangYanSuan(QWidget* parent, QiangYanSuanRecord& record) : QDialog(parent), m_rec(record) {
    setObjectName("227");
    setWindowTitle(QStringLiteral("墙体验算"));

    auto named = [this](QWidget* w, int id) {
        w->setObjectName(QString::number(id));
        return w;
    };
    auto label = [this, &named](const QString& text, int id) {
        auto* l = new QLabel(text, this);
        if (id) named(l, id);
        return l;
    };

    m_position = new QComboBox(this);
    named(m_position, 1181);
    for (const char* p : kPositions) m_position->addItem(QString::fromUtf8(p));
    m_height = new QLineEdit(this);
    named(m_height, 1225);
    m_thickness = new QLineEdit(this);
    named(m_thickness, 1229);
    m_as = new QLineEdit(this);
    named(m_as, 1223);
    m_conGrade = new QComboBox(this);
    named(m_conGrade, 1176);
    for (int g = 15; g <= 80; g += 5) m_conGrade->addItem(QString::number(g));
    m_barGrade = new QComboBox(this);
    named(m_barGrade, 1182);
    for (const char* g : kBarGrades) m_barGrade->addItem(QString::fromLatin1(g));
    m_moment = new QLineEdit(this);
    named(m_moment, 1276);
    m_result = new QPlainTextEdit(this);
    named(m_result, 3221);
    m_result->setReadOnly(true);
    m_result->setMinimumSize(220, 180);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(label(QStringLiteral("墙位置:"), 3227), row, 0);
    grid->addWidget(m_position, row++, 1);
    grid->addWidget(label(QStringLiteral("墙高(mm):"), 3228), row, 0);
    grid->addWidget(m_height, row++, 1);
    m_thicknessLabel = label(QStringLiteral("墙厚(mm):"), 3229);
    grid->addWidget(m_thicknessLabel, row, 0);
    grid->addWidget(m_thickness, row++, 1);
    grid->addWidget(label(QStringLiteral("配筋计算as(mm):"), 0), row, 0);
    grid->addWidget(m_as, row++, 1);
    grid->addWidget(label(QStringLiteral("砼强度等级:"), 0), row, 0);
    grid->addWidget(m_conGrade, row++, 1);
    grid->addWidget(label(QStringLiteral("纵筋级别:"), 0), row, 0);
    grid->addWidget(m_barGrade, row++, 1);
    grid->addWidget(label(QStringLiteral("弯矩(kN.m/m):"), 0), row, 0);
    grid->addWidget(m_moment, row++, 1);
    grid->setRowStretch(row, 1);

    auto* calculate = new QPushButton(QStringLiteral("计算"), this);
    named(calculate, 1);
    calculate->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("返回"), this);
    named(close, 2);
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(calculate);
    buttons->addWidget(close);

    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addWidget(m_result, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);

    connect(calculate, &QPushButton::clicked, this, &CDlgQiangYanSuan::OnOK);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_position, &QComboBox::activated, this, &CDlgQiangYanSuan::OnPositionChange);
    m_moment->installEventFilter(this);

    OnInitDialog();
}

void CDlgQiangYanSuan::OnInitDialog() {
    switch (m_rec.Mode) {
    case QiangYanSuanRecord::kRoof:
        setWindowTitle(QStringLiteral("顶板验算"));
        m_rec.M = m_rec.BianM[2];
        break;
    case QiangYanSuanRecord::kFloor:
        setWindowTitle(QStringLiteral("底板验算"));
        m_rec.M = m_rec.BianM[0];
        break;
    default:
        setWindowTitle(QStringLiteral("墙体验算"));
        m_rec.M = m_rec.BianM[m_rec.position & 3];
        break;
    }
    if (m_rec.Mode != QiangYanSuanRecord::kWall) {
        for (int id : {3227, 1181, 3228, 1225})
            if (auto* w = findChild<QWidget*>(QString::number(id))) w->hide();
        m_thicknessLabel->setText(QStringLiteral("板厚(mm):"));
    }
    UpdateData(false);
    // The result is there as soon as the dialog opens.
    OnOK();
}

bool CDlgQiangYanSuan::UpdateData(bool save) {
    if (save) {
        m_rec.position = m_position->currentIndex() < 0 ? 0 : m_position->currentIndex();
        if (!kv::ddx::Int(m_height, m_rec.H, true)) return false;
        if (!kv::ddx::Int(m_thickness, m_rec.t, true)) return false;
        if (!kv::ddx::Int(m_as, m_rec.as, true)) return false;
        m_rec.conGrade = m_conGrade->currentText();
        m_rec.barIndex = m_barGrade->currentIndex();
        return kv::ddx::Float(m_moment, m_rec.M, true);
    }
    m_position->setCurrentIndex(m_rec.position & 3);
    kv::ddx::Int(m_height, m_rec.H, false);
    kv::ddx::Int(m_thickness, m_rec.t, false);
    kv::ddx::Int(m_as, m_rec.as, false);
    int grade = m_conGrade->findText(m_rec.conGrade);
    m_conGrade->setCurrentIndex(grade);
    m_barGrade->setCurrentIndex(m_rec.barIndex);
    kv::ddx::Float(m_moment, m_rec.M, false);
    QString shown = m_rec.result;
    m_result->setPlainText(shown.remove('\r'));
    return true;
}

void CDlgQiangYanSuan::OnOK() {
    if (!UpdateData(true)) return;
    if (m_rec.M < 0) m_rec.M = -m_rec.M;
    switch (m_rec.Mode) {
    case QiangYanSuanRecord::kRoof:
        m_rec.BianM[2] = m_rec.M;
        CalBend();
        break;
    case QiangYanSuanRecord::kFloor:
        m_rec.BianM[0] = m_rec.M;
        CalBend();
        break;
    default:
        m_rec.BianM[m_rec.position & 3] = m_rec.M;
        CalZhouLi();
        break;
    }
    UpdateData(false);
}

void CDlgQiangYanSuan::OnPositionChange() {
    if (!UpdateData(true)) return;
    m_rec.M = m_rec.BianM[m_rec.position & 3];
    UpdateData(false);
}

void CDlgQiangYanSuan::OnMomentKillFocus() {
    if (!UpdateData(true)) return;
    if (m_rec.M < 0) m_rec.M = -m_rec.M;
    UpdateData(false);
}

bool CDlgQiangYanSuan::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_moment && event->type() == QEvent::FocusOut) {
        auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a move to another control counts, not a window that comes on top.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) OnMomentKillFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void CDlgQiangYanSuan::CalBend() {
    std::unique_ptr<PJ_BEAM_KV> beam(new (std::nothrow) PJ_BEAM_KV);
    if (!beam) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return;
    }
    const int bar = m_rec.barIndex + 1;
    beam->Ini_QiangBan(m_rec.conGrade.toInt(), bar, 1, 0, m_rec.as, m_rec.as, 0, 1.0f, m_rec.Steam, 0, 1.0f, 1, 1.0f,
                       1.0f, 1.0f, 1.0f);
    const float m = m_rec.Mode == QiangYanSuanRecord::kRoof ? m_rec.BianM[2] : m_rec.BianM[0];
    beam->set_value(m * 1.0e6f, 0, 0, 1000.0f, static_cast<float>(m_rec.t), 0, 1.2f, 0);
    beam->Bent_SJ();
    float as = beam->As, as1 = beam->As1;
    if (beam->if_CJCX() == 1) as = as1 = -1;
    m_rec.result = QStringLiteral("已知条件：\r\n") + Line("弯矩 = %.2f(kN.m/m)\r\n", m) +
                   QStringLiteral("\r\n配筋结果：\r\n") + Line("As = %.2f(mm2/m)\r\n", as) +
                   Line("As' = %.2f(mm2/m)\r\n", as1);
}

void CDlgQiangYanSuan::CalZhouLi() {
    const int k = m_rec.position & 3;
    const float m = m_rec.BianM[k], n = m_rec.BianN[k];
    if (n < 0) {
        tell_error(kv::err::kFailure, "此版本无抗拉验算功能 !");
        return;
    }
    std::unique_ptr<PJ_COLUMN_FDC_KV> column(new (std::nothrow) PJ_COLUMN_FDC_KV);
    if (!column) {
        tell_error(kv::err::kFailure, "内存不够 !");
        return;
    }
    column->Ini(m_rec.conGrade.toInt(), m_rec.barIndex + 1, 1, 0, m_rec.as, 0.8f, m_rec.Steam, 1, 2, 1.0f);
    column->set_value(m * 1.0e6f, 0, 0, 0, -n * 1000.0f, 1000.0f, static_cast<float>(m_rec.t),
                      static_cast<float>(m_rec.H), 0, 0);
    column->Asx = column->Asx1 = 0;
    column->PianLaYa();
    float as = column->Asx, as1 = column->Asx1;
    if (column->if_CJCX() == 1) as = as1 = -1;
    m_rec.result = QStringLiteral("对应板位置：%1\r\n").arg(QString::fromUtf8(kPositions[k])) +
                   QStringLiteral("\r\n已知条件：\r\n") + Line("弯矩 = %.2f(kN.m/m)\r\n", m) +
                   Line("竖向力 = %.2f(kN/m)\r\n", n) + QStringLiteral("\r\n配筋结果：\r\n") +
                   Line("As = %.2f(mm2/m)\r\n", as) + Line("As' = %.2f(mm2/m)\r\n", as1);
}
