// The grid beam's run: the model, the library's input, the analysis, the forces,
// the redistribution and report, then the drawings.
#include <new>

#include "base/error.h"
#include "design/pj_beam.h"
#include "members/beams/fem_files.h"
#include "members/beams/jzl_calc.h"
#include "members/beams/jzl_data.h"

CJzlJs::CJzlJs() = default;

CJzlJs::~CJzlJs() { Cleanup(); }

void CJzlJs::Cleanup() {
    m_pDesign.reset();
    m_Nodes.clear();
    m_Beams.clear();
    m_Panels.clear();
    CloseFile(m_fpInput);
    CloseFile(m_fpReport);
    CloseFile(m_fpOther);
}
