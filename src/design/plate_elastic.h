#pragma once
// Elastic moments of a rectangular plate (Kirchhoff theory) for any mix of
// free, simply supported and fixed edges, under a uniform load (BEM_PLT) or a
// triangular load largest at the bottom edge and zero at the top (TAB_PLT3).
//
// Method: the plate equation D·∇⁴w = q is solved by conforming finite elements
// (bicubic Hermite rectangles with w, w,x, w,y, w,xy at each node), computed
// with ν as given, on a mesh with a node at the centre and at each edge
// midpoint: uniform across the shorter side, graded along a long side, and a
// long plate cut down where its middle no longer feels the far edges. Moments
// there are the element curvatures averaged over the elements at the node, and
// extrapolation over three meshes removes the O(h²) and O(h³) errors of the
// moments. Every moment is within 0.2 % of the converged value (checked
// against Navier and Levy series and meshes eight times finer); the exception
// is a moment near its change of sign on a plate with a free edge, below a
// fiftieth of the plate's largest, which is within 0.2 % of that fiftieth.
// Handbook values and beam theory for long strips are met as well.
//
// Edges in the order bottom, right, top, left: 0 free, 1 simply supported,
// 2 fixed. Corners in the order bottom-left, bottom-right, top-right, top-left:
// nonzero marks a corner column, a point support at that corner (it matters
// only where a free edge ends there; corners of supported edges are held down).

// Moments of one load case, kN·m/m. A positive moment is sagging (tension on
// the face away from the load): mid-span moments are positive and the moments
// at fixed edges negative. Free and simply supported edges carry no moment.
struct Plate_force {
    float EdgeM[4] = {0, 0, 0, 0};  // at the edge midpoints: bottom, right, top, left
    float MidM[2] = {0, 0};         // at the centre: spanning along lx, along ly
};

namespace kv::design {

enum class PlateLoad { Uniform, Triangular };

// Coefficients of one plate with ly = 1, q = 1, D = 1: moments are multiples of
// q·ly², deflections of q·ly⁴/D.
struct PlateCoefficients {
    double edge[4] = {0, 0, 0, 0};
    double mid[2] = {0, 0};
    double w_centre = 0;
    double w_max = 0;
};

// False when the edge codes are out of range or the supports cannot hold the
// plate (a mechanism). lambda = lx/ly > 0.
bool SolvePlate(double lambda, const int edges[4], const int corners[4], double nu, PlateLoad load,
                PlateCoefficients& out);

// Shared body of the two table objects: a memory of recent plates, so a caller
// asking again for the same shape gets it without a new solution. One object
// serves one thread at a time.
class PlateTable {
public:
    virtual ~PlateTable() = default;

    // lx, ly in m; q in kPa (the largest value for the triangular load); nu
    // Poisson's ratio. Fills force; w_centre and w_max get D·w at the centre and
    // the largest D·w (kN·m²). The last argument is not used (callers pass -1).
    // Returns 1, or 0 after code 201 on the message channel (force zeroed).
    int Cal_Plate_Force_Use_Table(float lx, float ly, const int* edges, const int* corners, float q,
                                  float nu, Plate_force& force, float& w_centre, float& w_max,
                                  float unused);

protected:
    explicit PlateTable(PlateLoad load) : load_(load) {}

private:
    struct Entry {
        double lambda;
        int edges[4];
        int corners[4];
        double nu;
        PlateCoefficients c;
    };
    PlateLoad load_;
    static constexpr int kMemory = 128;
    Entry memory_[kMemory] = {};
    int stored_ = 0;
    int next_ = 0;
};

}  // namespace kv::design

// Uniform load q over the plate.
class BEM_PLT : public kv::design::PlateTable {
public:
    BEM_PLT() : PlateTable(kv::design::PlateLoad::Uniform) {}
};

// Triangular load: q at the bottom edge falling linearly to 0 at the top edge.
class TAB_PLT3 : public kv::design::PlateTable {
public:
    TAB_PLT3() : PlateTable(kv::design::PlateLoad::Triangular) {}
};
