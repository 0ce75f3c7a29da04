#pragma once
#include <memory>
#include <vector>

#include "support/message_recorder.h"

namespace slabtest {

using kv::test::MessageRecorder;

}  // namespace slabtest

#include <cstdio>
#include <fstream>
#include <string>

#include "members/slabwall/ban.h"

namespace slabtest {

// A script that reads a DXF through ezdxf's recover reader: exit 0 when the
// auditor found no error and the model space holds texts.
inline void WriteEzdxfCheck(const std::string& path) {
    std::ofstream(path) << "import sys\n"
                           "from ezdxf import recover\n"
                           "doc, auditor = recover.readfile(sys.argv[1])\n"
                           "if auditor.has_errors:\n"
                           "    for e in auditor.errors: print('AUDIT', e.message)\n"
                           "    sys.exit(2)\n"
                           "if not doc.modelspace().query('TEXT'): sys.exit(3)\n";
}

// What a slab run writes into its file, and what it returned.
struct Run {
    int result = 0;
    std::string text;
};

inline std::string ReadBack(std::FILE* fp) {
    std::string text;
    std::rewind(fp);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, fp)) > 0) text.append(buffer, n);
    std::fclose(fp);
    return text;
}

inline Run Calculate(BAN_JS_STRUCT& bs) {
    std::FILE* fp = std::tmpfile();
    Run run;
    run.result = ban_cal(bs, fp);
    run.text = ReadBack(fp);
    return run;
}

inline std::string Report(BAN_JS_STRUCT& bs) {
    std::FILE* fp = std::tmpfile();
    ban_report(bs, fp, nullptr);
    return ReadBack(fp);
}

// A 4 m square roof slab of C30 and HRB335, 250 mm thick.
inline BAN_JS_STRUCT SquareRoof(int kind = 0) {
    BAN_JS_STRUCT bs(kind);
    bs.Length = 4, bs.Width = 4, bs.Thickness = 250, bs.Cover = 25, bs.Load = 100;
    bs.ConGrade = 30, bs.BarGrade = 2;
    return bs;
}

}  // namespace slabtest
