#include "platform/ui/qtservices.h"

#include <gtest/gtest.h>

namespace {

TEST(QtFileDialogFilter, WindowsFiltersBecomeQtFilters) {
    struct Case {
        const char* windows;
        const char* qt;
    };
    const Case cases[] = {
        {"说明 (*.LB)|*.LB|所有文件 (*.*)|*.*||", "说明 (*.LB);;所有文件 (*.*)"},
        // A description without its pattern would filter nothing: the pattern is added.
        {"RTF文件|*.rtf||", "RTF文件 (*.rtf)"},
        {"墙 (*.WQ)|*.WQ;*.LKQ||", "墙 (*.WQ) (*.WQ *.LKQ)"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(kv::platform::QtFilterFromWindowsFilter(c.windows).toStdString(), c.qt) << c.windows;
}

}  // namespace
