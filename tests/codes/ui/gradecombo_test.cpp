#include "codes/ui/gradecombo.h"

#include <QComboBox>
#include <QStringList>
#include <gtest/gtest.h>

#include "codes/guifan.h"
#include "support/qt_app.h"

namespace {

class GradeCombo : public ::testing::Test {
protected:
    static void SetUpTestSuite() { kv::test::EnsureQtApp(); }
    QComboBox box;
};

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
    return items;
}

TEST_F(GradeCombo, BarEntriesFollowTheDisplayOrder) {
    struct Case { int edition, use; QStringList items; };
    const Case cases[] = {
        {2010, 0, {"HRB400", "HRBF400", "HRB500", "HRBF500", "*HPB300", "*HRB335", "*HRBF335", "*RRB400"}},
        {2010, 3, {"HPB300", "HRB335", "HRBF335", "HRB400", "HRBF400", "HRB500", "HRBF500"}},
        {2010, 1, {"HPB300", "HRB335", "HRBF335", "HRB400", "HRBF400", "RRB400", "HRB500", "HRBF500"}},
        {2002, 3, {"HPB235", "HRB335", "HRB400"}},
        {2002, 0, {"HPB235", "HRB335", "HRB400", "RRB400"}},
        {96, 1, {"HPB235", "HRB335", "HRB400"}},
        {2005, 0, {}},
    };
    for (const Case& c : cases) {
        box.addItem("old");
        FillGangJinCombo(c.edition, &box, c.use);
        EXPECT_EQ(Items(box), c.items) << c.edition << "/" << c.use;
    }
}

TEST_F(GradeCombo, EveryBarGradeSelectsAndReadsBack) {
    for (int edition : {2002, 2010}) {
        for (int use = 0; use <= 3; ++use) {
            FillGangJinCombo(edition, &box, use);
            std::vector<int> order;
            GetGangJinOrder(edition, order, use);
            for (int i = 0; i < box.count(); ++i) {
                box.setCurrentIndex(-1);
                SelectGangJinCombo(edition, order[i], &box, use);
                EXPECT_EQ(box.currentIndex(), i) << edition << "/" << use << "/" << order[i];
                int grade = 0;
                GetComboGrade(edition, grade, &box, 1);
                EXPECT_EQ(grade, order[i]) << edition << "/" << use;
            }
        }
    }
}

TEST_F(GradeCombo, EveryConcreteGradeSelectsAndReadsBack) {
    for (int edition : {2002, 2010}) {
        FillConCombo(edition, &box);
        std::vector<int> grades;
        ASSERT_EQ(GF_GetCradeList(edition, grades), box.count());
        for (int i = 0; i < box.count(); ++i) {
            box.setCurrentIndex(-1);
            SelectConCombo(edition, grades[i], &box);
            EXPECT_EQ(box.currentIndex(), i);
            EXPECT_EQ(box.currentText().toStdString(), std::string("C") + std::to_string(grades[i]));
            int grade = 0;
            GetComboGrade(edition, grade, &box, 0);
            EXPECT_EQ(grade, grades[i]);
        }
    }
}

TEST_F(GradeCombo, UnknownGradesLeaveTheSelectionAlone) {
    FillGangJinCombo(2002, &box, 0);
    box.setCurrentIndex(2);
    SelectGangJinCombo(2002, 5, &box, 0);   // no HRB500 in 2002
    SelectGangJinCombo(2002, 4, &box, 3);   // RRB400 is not offered for use 3
    EXPECT_EQ(box.currentIndex(), 2);
    FillConCombo(2010, &box);
    box.setCurrentIndex(3);
    SelectConCombo(2010, 33, &box);
    EXPECT_EQ(box.currentIndex(), 3);

    FillGangJinCombo(2005, &box, 0);
    SelectGangJinCombo(2005, 1, &box, 0);
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.currentIndex(), -1);

    // Null boxes are ignored; an empty box reads as grade 1.
    FillConCombo(2010, nullptr);
    int grade = 7;
    GetComboGrade(2010, grade, nullptr, 1);
    EXPECT_EQ(grade, 7);
    GetComboGrade(2010, grade, &box, 1);
    EXPECT_EQ(grade, 1);
}

}  // namespace
