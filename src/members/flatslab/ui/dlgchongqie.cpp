#include "members/flatslab/ui/dlgchongqie.h"

#include "base/error.h"
#include "base/globals.h"
#include "base/textio.h"
#include "codes/ui/gradecombo.h"
#include "drawing/base_sgt.h"
#include "drawing/ui/dtview.h"
#include "members/flatslab/chongqie.h"
#include "members/flatslab/wllg_data.h"
#include "members/slabwall/ui/dlgcontrols.h"
#include "platform/services.h"
#include "views/dialogs/moduledlg.h"
#include "widgets/ui/ddx.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>
#include <cstring>

namespace {

using namespace kv::slabwall::ui;

constexpr const char* kKcqFilter = "矩形井字梁数据(*.KCQ)|*.KCQ||";
constexpr const char* kOutFilter = "报表文件(*.OUT)|*.OUT||";


// Two radios of one choice, side by side.
QHBoxLayout* Pair(QWidget* parent, QRadioButton* a, QRadioButton* b) {
    auto* group = new QButtonGroup(parent);
    group->addButton(a, 0);
    group->addButton(b, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch(1);
    return row;
}

}  // namespace

CDlgChongQie::CDlgChongQie(CHONGQIE_JS_STRUCT* record, CWllgData* data) : m_pRecord(record), m_pData(data) {
    setObjectName("182");
    m_cSteam = Check(this, QStringLiteral("蒸气养护或掺早强剂"), 1352);
    m_cSteam->setEnabled(false);
    m_cStirrup = Combo(this, 1248);
    m_cSpacing = Combo(this, 1361, {"70", "80", "100", "120", "125", "150", "175", "200"}, true);
    m_cConGrade = Combo(this, 1176);
    for (int grade = 15; grade <= 80; grade += 5) m_cConGrade->addItem(QString::number(grade));
    m_cConGrade->setEnabled(false);
    m_eLength = Edit(this, 1016);
    m_eWidth = Edit(this, 1196);
    m_eThick = Edit(this, 1242);
    m_eLoad = Edit(this, 3094);
    m_eAs = Edit(this, 1223);
    m_eColB = Edit(this, 1153);
    m_eColH = Edit(this, 1036);
    m_eColD = Edit(this, 1043);
    // What the slab gives is shown, not edited here.
    for (QWidget* w : {m_eLength, m_eWidth, m_eThick, m_eLoad, m_eAs, m_eColB, m_eColH, m_eColD}) w->setEnabled(false);
    m_eCapB = Edit(this, 1150);
    m_eCapH = Edit(this, 1026);
    m_eCapD = Edit(this, 1031);
    m_eCapThick = Edit(this, 1048);
    m_rNoStirrup = Radio(this, QStringLiteral("不配箍筋"), 3082);
    m_rStirrup = Radio(this, QStringLiteral("配箍筋"), 1110);
    m_rNoCap = Radio(this, QStringLiteral("无柱帽"), 3085);
    m_rCap = Radio(this, QStringLiteral("有柱帽"), 1113);
    m_rCapUp = Radio(this, QStringLiteral("上反"), 3088);
    m_rCapDown = Radio(this, QStringLiteral("下反"), 3090);
    m_rRound = Radio(this, QStringLiteral("圆柱"), 3092);
    m_rSquare = Radio(this, QStringLiteral("方柱"), 3093);
    m_rRound->setEnabled(false);
    m_rSquare->setEnabled(false);
    m_cReversed = Check(this, QStringLiteral("按反托板计算"), 3214);
    m_check = Button(this, QStringLiteral("验算冲切"), 1170);
    m_transverse = Button(this, QStringLiteral("计算横向配筋"), 3215);
    QPushButton* read = Button(this, QStringLiteral("读入数据"), 1163);
    QPushButton* save = Button(this, QStringLiteral("保存数据"), 922);
    QPushButton* report = Button(this, QStringLiteral("生成报表"), 1375);
    for (QPushButton* b : {read, save, report}) b->hide();
    m_list = new QListWidget(this);
    m_list->setObjectName("3080");
    m_list->setMinimumHeight(120);

    // The slab, the column and the cap; three columns of labelled fields.
    auto* slab = new QGridLayout;
    AddField(slab, this, 0, 0, QStringLiteral("板单元长(mm):"), m_eLength);
    AddField(slab, this, 0, 1, QStringLiteral("宽(mm):"), m_eWidth);
    AddField(slab, this, 0, 2, QStringLiteral("厚(mm):"), m_eThick);
    AddField(slab, this, 1, 0, QStringLiteral("荷载(kN/m2):"), m_eLoad);
    AddField(slab, this, 1, 1, QStringLiteral("配筋计算as(mm):"), m_eAs);
    AddField(slab, this, 1, 2, QStringLiteral("砼强度等级:"), m_cConGrade);
    slab->addWidget(m_cSteam, 2, 0, 1, 4);

    auto* column = new QGridLayout;
    column->addLayout(Pair(this, m_rRound, m_rSquare), 0, 0, 1, 6);
    AddField(column, this, 1, 0, QStringLiteral("柱长(mm):"), m_eColB);
    AddField(column, this, 1, 1, QStringLiteral("柱宽(mm):"), m_eColH);
    AddField(column, this, 1, 2, QStringLiteral("直径(mm):"), m_eColD);

    auto* cap = new QGridLayout;
    cap->addLayout(Pair(this, m_rNoCap, m_rCap), 0, 0, 1, 3);
    cap->addLayout(Pair(this, m_rCapUp, m_rCapDown), 0, 3, 1, 3);
    AddField(cap, this, 1, 0, QStringLiteral("柱帽长(mm):"), m_eCapB);
    AddField(cap, this, 1, 1, QStringLiteral("柱帽宽(mm):"), m_eCapH);
    AddField(cap, this, 2, 0, QStringLiteral("柱帽直径(mm):"), m_eCapD);
    AddField(cap, this, 2, 1, QStringLiteral("柱帽厚度(mm):"), m_eCapThick);
    auto* reversed = new QHBoxLayout;
    reversed->addWidget(m_cReversed);
    reversed->addWidget(m_transverse);
    reversed->addStretch(1);
    cap->addLayout(reversed, 3, 0, 1, 6);

    auto* stirrups = new QGridLayout;
    stirrups->addLayout(Pair(this, m_rNoStirrup, m_rStirrup), 0, 0, 1, 4);
    AddField(stirrups, this, 1, 0, QStringLiteral("箍筋级别:"), m_cStirrup);
    QLabel* spacingLabel = AddField(stirrups, this, 1, 1, QStringLiteral("箍筋间距(mm):"), m_cSpacing);
    spacingLabel->hide();
    m_cSpacing->hide();

    auto* fields = new QVBoxLayout;
    for (auto [title, layout] : {std::pair<const char*, QLayout*>{"板", slab}, {"柱", column}, {"柱帽", cap},
                                 {"箍筋", stirrups}}) {
        auto* group = new QGroupBox(QString::fromUtf8(title), this);
        group->setLayout(layout);
        fields->addWidget(group);
    }
    fields->addStretch(1);

    auto* place = new QWidget(this);
    place->setObjectName("914");
    place->setMinimumSize(360, 240);
    auto* placeLayout = new QVBoxLayout(place);
    placeLayout->setContentsMargins(0, 0, 0, 0);
    m_pPreview = new CDxfWnd(place);
    placeLayout->addWidget(m_pPreview);
    m_pPreview->installEventFilter(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {read, save, report, m_check}) buttons->addWidget(b);
    auto* right = new QVBoxLayout;
    right->addWidget(place, 1);
    right->addWidget(m_list);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(right, 1);

    for (QRadioButton* r : {m_rNoStirrup, m_rStirrup, m_rNoCap, m_rCap, m_rCapUp, m_rCapDown, m_rRound, m_rSquare})
        connect(r, &QRadioButton::clicked, this, &CDlgChongQie::OnChange);
    for (QLineEdit* e : {m_eColB, m_eColH, m_eColD, m_eCapB, m_eCapH, m_eCapD, m_eCapThick, m_eWidth, m_eLength, m_eThick})
        e->installEventFilter(this);
    connect(m_cStirrup, &QComboBox::activated, this, [this] {
        PageToRecord();
        RecordToPage();
    });
    connect(m_cReversed, &QCheckBox::clicked, this, [this] { m_transverse->setVisible(m_cReversed->isChecked()); });
    connect(m_check, &QPushButton::clicked, this, &CDlgChongQie::OnCheck);
    connect(m_transverse, &QPushButton::clicked, this, &CDlgChongQie::OnTransverseSteel);
    connect(read, &QPushButton::clicked, this, &CDlgChongQie::OnReadData);
    connect(save, &QPushButton::clicked, this, &CDlgChongQie::OnSaveData);
    connect(report, &QPushButton::clicked, this, &CDlgChongQie::OnReport);

    FillGangJinCombo(G_guifan, m_cStirrup, 3);
    RecordToPage();
    EnableControls();
}

CDlgChongQie::~CDlgChongQie() { m_pPreview->SetDrawing(nullptr); }

int CDlgChongQie::RecordToPage() {
    using namespace kv::ddx;
    if (!m_pRecord) return 0;
    CHONGQIE_JS_STRUCT& r = *m_pRecord;
    m_cSteam->setChecked(r.m_nSteam != 0);
    SelectGangJinCombo(G_guifan, r.m_nStirrupGrade, m_cStirrup, 3);
    m_cSpacing->setEditText(QString::number(r.m_nStirrupSpacing));
    m_cConGrade->setCurrentIndex((r.m_nConGrade - 15) / 5);
    Int(m_eLength, r.m_nSlabLength, false);
    Int(m_eWidth, r.m_nSlabWidth, false);
    Int(m_eThick, r.m_nSlabThick, false);
    Float(m_eLoad, r.m_fLoad, false);
    Float(m_eAs, r.m_fAs, false);
    Int(m_eColB, r.m_nColB, false);
    Int(m_eColH, r.m_nColH, false);
    Int(m_eColD, r.m_nColD, false);
    Int(m_eCapB, r.m_nCapB, false);
    Int(m_eCapH, r.m_nCapH, false);
    Int(m_eCapD, r.m_nCapD, false);
    Int(m_eCapThick, r.m_nCapThick, false);
    (r.m_nStirrup ? m_rStirrup : m_rNoStirrup)->setChecked(true);
    (r.m_nHasCap ? m_rCap : m_rNoCap)->setChecked(true);
    (r.m_nCapDown ? m_rCapDown : m_rCapUp)->setChecked(true);
    (r.m_nSquareCol ? m_rSquare : m_rRound)->setChecked(true);
    m_cReversed->setChecked(r.m_nReversedPanel != 0);
    return 1;
}

int CDlgChongQie::PageToRecord() {
    using namespace kv::ddx;
    if (!m_pRecord) return 0;
    // Into a copy: a field that is not a number leaves the record as it was.
    CHONGQIE_JS_STRUCT r = *m_pRecord;
    if (!Int(m_eLength, r.m_nSlabLength, true) || !Int(m_eWidth, r.m_nSlabWidth, true) ||
        !Int(m_eThick, r.m_nSlabThick, true) || !Float(m_eLoad, r.m_fLoad, true) || !Float(m_eAs, r.m_fAs, true) ||
        !Int(m_eColB, r.m_nColB, true) || !Int(m_eColH, r.m_nColH, true) || !Int(m_eColD, r.m_nColD, true) ||
        !Int(m_eCapB, r.m_nCapB, true) || !Int(m_eCapH, r.m_nCapH, true) || !Int(m_eCapD, r.m_nCapD, true) ||
        !Int(m_eCapThick, r.m_nCapThick, true))
        return 0;
    r.m_nSteam = m_cSteam->isChecked() ? 1 : 0;
    GetComboGrade(G_guifan, r.m_nStirrupGrade, m_cStirrup, 1);
    // As "%d" reads it: a text without leading digits keeps the spacing.
    std::sscanf(m_cSpacing->currentText().toStdString().c_str(), "%d", &r.m_nStirrupSpacing);
    if (m_cConGrade->currentIndex() >= 0) r.m_nConGrade = 15 + 5 * m_cConGrade->currentIndex();
    r.m_nStirrup = m_rStirrup->isChecked() ? 1 : 0;
    r.m_nHasCap = m_rCap->isChecked() ? 1 : 0;
    r.m_nCapDown = m_rCapDown->isChecked() ? 1 : 0;
    r.m_nSquareCol = m_rSquare->isChecked() ? 1 : 0;
    r.m_nReversedPanel = m_cReversed->isChecked() ? 1 : 0;
    *m_pRecord = r;
    Redraw();
    return 1;
}

void CDlgChongQie::EnableControls() {
    const bool stirrups = m_rStirrup->isChecked();
    m_cStirrup->setEnabled(stirrups);
    m_cSpacing->setEnabled(stirrups);
    const bool cap = m_rCap->isChecked(), up = m_rCapUp->isChecked(), square = m_rSquare->isChecked();
    m_eCapThick->setEnabled(cap);
    m_rCapUp->setEnabled(cap);
    m_rCapDown->setEnabled(cap);
    m_eCapB->setEnabled(cap && square);
    m_eCapH->setEnabled(cap && square);
    m_eCapD->setEnabled(cap && !square);
    // The cap joins the column strip's design only below the slab.
    if (m_pData && (!cap || up)) m_pData->m_nCapDesign = 0;
    m_cReversed->setVisible(cap && up);
    m_transverse->setVisible(cap && up && m_cReversed->isChecked());
    // A punching check needs an interior column: two spans at least.
    std::size_t spans = 0;
    if (m_pData) {
        const int code = JS_ERROR_CODE;
        if (auto l = CWllgData::parse_span_list(m_pData->m_szSpans)) spans = l->size();
        JS_ERROR_CODE = code;
    }
    m_check->setEnabled(spans >= 2);
    if (spans < 2) m_list->clear();
}

void CDlgChongQie::Redraw() {
    if (!m_pRecord) return;
    m_pPreview->SetDrawing(nullptr);
    m_pSketch = std::make_unique<CBase_SGT>();
    m_pSketch->New_MemDxf();
    m_pSketch->Add_STyle("HZ", "txt", "hztxt", 0, 0.75f);
    m_pSketch->Write_Tables();
    m_pRecord->DrawJianTu(m_pSketch.get());
    m_pPreview->SetDrawing(m_pSketch.get());
    m_pPreview->All();
}

void CDlgChongQie::OnSetActive() {
    RecordToPage();
    Redraw();
    EnableControls();
}

void CDlgChongQie::OnKillActive() {
    CDlgTabSheet* sheet = Sheet();
    if (!sheet || !sheet->isVisible() || !isHidden()) return;
    PageToRecord();
}

void CDlgChongQie::OnChange() {
    PageToRecord();
    EnableControls();
    m_pPreview->update();
}

bool CDlgChongQie::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pPreview) {
        if (event->type() == QEvent::MouseButtonPress) OnChange();
        else if (event->type() == QEvent::Resize && m_pSketch) m_pPreview->All();
    } else if (CModuleDlg::LeftForAnotherField(event) && isVisible() && !isHidden()) {
        OnChange();
    }
    return CSheetPage::eventFilter(watched, event);
}

void CDlgChongQie::RunAndList(int (*run)(const CHONGQIE_JS_STRUCT&)) {
    if (!m_pRecord || !PageToRecord()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    run(*m_pRecord);
    QApplication::restoreOverrideCursor();
    m_list->clear();
    const std::string path = G_strWorkPath + "Message.Box";
    std::FILE* fp = open_file_no_comment(path.c_str(), "rt");
    if (!fp) return;
    char line[300];
    while (std::fgets(line, sizeof line, fp)) {
        // The line's last character is its end; a line cut at 299 loses its last one.
        const std::size_t n = std::strlen(line);
        if (n > 0) line[n - 1] = ' ';
        m_list->addItem(QString::fromUtf8(line));
    }
    close_file(fp);
}

void CDlgChongQie::OnCheck() { RunAndList(chongqie_check); }

void CDlgChongQie::OnTransverseSteel() { RunAndList(chongqie_transverse_steel); }

std::string CDlgChongQie::WithExtension(const std::string& path, const std::string& ext) {
    const std::size_t name = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name)) return path + ext;
    return path.substr(0, dot) + ext;
}

void CDlgChongQie::OnReadData() {
    auto chosen = kv::platform::FileDialogs().GetOpenFileName({"", kKcqFilter, "KCQ", ""});
    if (chosen && m_pRecord) {
        const std::string path = WithExtension(*chosen, ".KCQ");
        if (std::FILE* fp = open_file_no_comment(path.c_str(), "rt")) {
            m_pRecord->ReadLine(fp);
            close_file(fp);
        } else {
            kv::MessageBox("文件不能打开!");
        }
        RecordToPage();
    }
    Redraw();
    EnableControls();
}

void CDlgChongQie::OnSaveData() {
    if (!m_pRecord) return;
    PageToRecord();
    auto chosen = kv::platform::FileDialogs().GetSaveFileName({"", kKcqFilter, "KCQ", ""});
    if (!chosen) return;
    const std::string path = WithExtension(*chosen, ".KCQ");
    std::FILE* fp = open_file_no_comment(path.c_str(), "wt");
    if (!fp) {
        kv::MessageBox("文件不能打开!");
        return;
    }
    m_pRecord->WriteLine(fp);
    if (commit_file(fp) != 0) kv::MessageBox("文件不能打开!");
}

void CDlgChongQie::OnReport() {
    if (!PageToRecord()) {
        kv::MessageBox("数据不对");
        return;
    }
    auto chosen = kv::platform::FileDialogs().GetSaveFileName({"", kOutFilter, "OUT", ""});
    if (!chosen) return;
    chongqie_report(*m_pRecord, WithExtension(*chosen, ".OUT").c_str());
}
