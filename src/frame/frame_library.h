#pragma once
// The frame library as the rigid frame and the flat slab call it. In calling
// order: the converter (CForm_YXY_Dat_Frm) turns the model file into
// "yxy_js.dat"; FB_DATE_Frm::main_date checks it and writes the structure file
// "STRUC_LD.FB"; struc_ld_file_Frm reads the members back; YXY_Frm::main_yxy
// analyses the frame (frame_solver.h) and writes "FORCE.FB"; force_file_Frm reads
// the results. All files lie in the current folder. Every operation returns at
// once while JS_ERROR_CODE is set and reports its own failures on the message
// channel with code 301.
#include <string>
#include <vector>

#include "fem/strut_layer_convert.h"
#include "fem/strut_layer_model.h"
#include "fem/strut_layer_sketch.h"
#include "frame/frame_files.h"
#include "frame/frame_solver.h"

namespace kv::frame {

// The model file and its members, as the library reads and writes them.
using CJsBzData_Frm = kv::fem::CJsBzData;
using CJsLineGouJian_Frm = kv::fem::CJsLineGouJian;
// The model's scheme: its text height (m_fTextHeight) and two symbol sizes (the
// force and load arrow lengths, m_fForceLength and m_fLoadLength), Draw_YueShu
// for the supports and releases and Draw_HeZai for the loads, drawn the way the
// analysis takes them.
using CJianTu_StrLd_Frm = kv::fem::CJianTu_StrLd;

// The converter: m_strName and the ten factors m_fFactor are set, Prepare_Data
// reads "<name>_StrLdA-1.DAT" (any case) into the tables the finite-element
// code's converter fills: the node table m_cNode (first value the model's node
// number) and the member table m_cBeam (the member's number, its start and end as
// 1-based positions in the node table, the report flag `kind` — 1 for a strut —
// and the concrete grade `grade`, which a caller may overwrite before writing).
class CForm_YXY_Dat_Frm : public kv::fem::StrutLayerTables {
public:
    // Writes "yxy_js.dat" in the current folder from the tables, each load with
    // its case; 1, or 0 (301) when it could not be written.
    int Form_YXY_JS_DAT_File();
};

// The frame of a structure file as the analysis takes it: node and member
// references from 0, each member's stiffness as main_date worked it out.
FrameModel ToModel(const FrmStructure& s);

class FB_DATE_Frm {
public:
    // Reads the input file, checks its references, members and sections, and
    // writes "STRUC_LD.FB" with each member's stiffness. 1, or 0 with the reason
    // reported (a missing file, a member of zero length, an unknown grade …).
    int main_date(const char* inputName);
};

class struc_ld_file_Frm {
public:
    // Reads the structure file; m_nBeam is its member count (0 when it could not
    // be read, which read_fixpoint and read_beam then report).
    explicit struc_ld_file_Frm(const char* name);

    int m_nNode = 0;
    int m_nBeam = 0;
    int m_nFixPoint = 0;
    std::vector<FrmNode> m_cNode;
    std::vector<FrmSupport> m_cFixPoint;
    std::vector<StrucBeam_Frm> m_cBeam;

    // Load the nodes and supports / the members; 1, or 0 with 301.
    int read_fixpoint();
    int read_beam();
    void free_beam();

private:
    bool Check();

    FrmStructure data_;
    bool ok_ = false;
    std::string error_;
};

class YXY_Frm {
public:
    // Civil-air-defence frame: only load case 1 acts.
    int m_nRenFang = 0;
    // Chords an arc member is cut into (raised to a multiple of 8).
    int m_nArcChords = 32;

    // Analyses the frame of "STRUC_LD.FB" and writes "FORCE.FB" with one load
    // case: the loads of all cases as the converter factored them (of case 1
    // only for a civil-air-defence frame). An old "FORCE.FB" is removed first, so
    // a failed analysis leaves none. 1, or 0 with 301.
    int main_yxy();
};

class force_file_Frm {
public:
    explicit force_file_Frm(const char* name);

    int m_nBeam = 0;
    int m_nCase = 0;
    std::vector<ForceBeam_Frm> m_cBeam;

    // Loads the members' records of one load case (from 0); nonzero on success.
    int read_beam(int loadCase);
    void free_beam();

private:
    FrmForces data_;
};

}  // namespace kv::frame
