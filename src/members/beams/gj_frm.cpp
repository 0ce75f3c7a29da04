// The rigid frame's client: its members, and the report and drawings of a run.
#include "members/beams/gj_frm.h"

#include <new>

#include "base/error.h"
#include "base/textio.h"
#include "design/pj_column.h"

CGjFrmJs::CGjFrmJs() = default;

CGjFrmJs::~CGjFrmJs() {
    if (m_pReport) close_file(m_pReport);
}

bool CGjFrmJs::SetMemberCount(int n) {
    m_GouJian.clear();
    m_nNum = 0;
    if (n < 0) return false;
    try {
        m_GouJian.resize(static_cast<std::size_t>(n));
    } catch (const std::bad_alloc&) {
        m_GouJian.clear();
        return false;
    }
    for (int i = 0; i < n; ++i) m_GouJian[static_cast<std::size_t>(i)].m_nIndex = i + 1;
    m_nNum = n;
    return true;
}

void CGjFrmJs::SetData(CGjData* data) {
    m_pData = data;
    if (!data) return;
    m_nConGrade = data->ConGrade;
    m_nSteam = data->Steam;
    m_fMidspan = data->MidFactor;
    m_fSupport = data->SupportFactor;
    as = static_cast<int>(data->As);
    m_nBarGrade = data->BarGrade;
    m_nStirrupGrade = data->StirrupGrade;
    m_nSpacing = data->StirrupSpacing;
    m_fGraphScale = data->GraphScale;
    m_fTextScale = data->TextScale;
    m_nRenFang = data->m_nRenFang;
    m_nPDelta = data->PDelta;
    m_nInsertResults = data->m_nInsertResultDiagrams;
    m_nInsertScheme = data->m_nInsertSchemeDiagram;
    m_strTitle = data->m_strName;
    m_strDataName = data->DataName();
    for (int c = 0; c < kGjLoadCases; ++c) m_fCaseFactor[c] = data->m_fCaseFactors[c];
    for (int k = 0; k < kGjDiagrams; ++k) m_strDxf[k] = data->GetDxfFileName(k);
    m_strRtf = data->GetRtfFileName(0);
}

void CGjFrmJs::ReportAndDraw() {
    for (CGjGouJian& g : m_GouJian) {
        g.m_fForce1 = m_fForce1;
        g.m_fForce2 = m_fForce2;
    }
    WriteReport();
    DrawDiagrams();
}
