#include "codes/codeedition.h"

#include "base/error.h"
#include "base/globals.h"

void AdjustHpb235(int fileEdition, int barGrade) {
    if (fileEdition == G_guifan || G_guifan != 2010 || barGrade != 1) return;
    tell_error(kv::err::kClearWindow, "");
    tell_error(kv::err::kNotice, "钢筋HPB235自动调整为HPB300");
}
