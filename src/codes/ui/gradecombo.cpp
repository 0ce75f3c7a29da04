#include "codes/ui/gradecombo.h"

#include <QComboBox>
#include <algorithm>
#include <vector>

#include "codes/guifan.h"

namespace {

QString UpperSign(const char* sign) { return QString::fromUtf8(sign).toUpper(); }

// Entries FillGangJinCombo puts in the box: the grade count, one fewer for use 3
// (no residual-heat-treated bar there), never more than the order holds.
int GangJinEntryCount(int edition, int use, const std::vector<int>& order) {
    int n = GF_GetGradeCount(edition, 1);
    if (use == 3 && (edition == 2002 || edition == 2008 || edition == 2010)) --n;
    return std::clamp(n, 0, static_cast<int>(order.size()));
}

}  // namespace

void FillConCombo(int edition, QComboBox* box) {
    if (box == nullptr) return;
    box->clear();
    std::vector<int> grades;
    GF_GetCradeList(edition, grades);
    for (int grade : grades) box->addItem(QString::fromUtf8(GF_GetConSign(edition, grade)));
}

void FillGangJinCombo(int edition, QComboBox* box, int use) {
    if (box == nullptr) return;
    box->clear();
    std::vector<int> order;
    GetGangJinOrder(edition, order, use);
    const int n = GangJinEntryCount(edition, use, order);
    const bool marked = edition == 2010 && (use == 0 || use == 2);
    for (int i = 0; i < n; ++i) {
        QString text = QString::fromUtf8(GF_GetGangJinSign(edition, order[i], 0));
        if (marked && i > 3) text.prepend('*');
        box->addItem(text);
    }
}

void SelectConCombo(int edition, int grade, QComboBox* box) {
    if (box == nullptr) return;
    const QString wanted = UpperSign(GF_GetConSign(edition, grade));
    std::vector<int> grades;
    GF_GetCradeList(edition, grades);
    for (int i = 0; i < static_cast<int>(grades.size()) && i < box->count(); ++i) {
        const QString sign = UpperSign(GF_GetConSign(edition, grades[i]));
        if (!sign.isEmpty() && wanted.contains(sign)) {
            box->setCurrentIndex(i);
            return;
        }
    }
}

void SelectGangJinCombo(int edition, int grade, QComboBox* box, int use) {
    if (box == nullptr) return;
    const QString wanted = UpperSign(GF_GetGangJinSign(edition, grade, 0));
    if (wanted.isEmpty()) return;  // an empty sign would match the first entry
    std::vector<int> order;
    GetGangJinOrder(edition, order, use);
    const int n = std::min(GangJinEntryCount(edition, use, order), box->count());
    for (int i = 0; i < n; ++i) {
        if (UpperSign(GF_GetGangJinSign(edition, order[i], 0)).contains(wanted)) {
            box->setCurrentIndex(i);
            return;
        }
    }
}

void GetComboGrade(int edition, int& result, QComboBox* box, int kind) {
    if (box == nullptr) return;
    result = GradeFromSign(edition, box->currentText().toStdString(), kind);
}
