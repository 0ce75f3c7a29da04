#pragma once
// The rectangular shell's thirteen result drawings: the values over the point
// grid of the computed quarter, the principal forces with their directions, the
// additional bars and a schematic of the four edge members.
#include "drawing/dxf.h"

class CRectBqData;

class CRectBqDraw {
public:
    // Places the points: columns (a/b)·40/5 apart from x = −20, rows 8 apart
    // downwards from y = 2 (the a-edge) to the symmetry line.
    explicit CRectBqDraw(const CRectBqData* data);

    // Writes the drawings into the work folder under the item's names in the
    // order Nx, Ny, Mx, My, Mxy, Qx, Qy, S, Nmax, Nmin, 位移, As, 边梁配筋.
    void DrawAll();

    // One file each (k of the item's drawing list).
    void DrawQuantity(int k);   // 0..8: Nx, Ny, S, Mx, My, Mxy, Qx, Qy, 位移
    void DrawPrincipal(int k);  // 9 Nmax, 10 Nmin
    void DrawAs();              // 11
    void DrawEdgeBeams();       // 12

    // Into an open drawing.
    void DrawGrid(DXF& d) const;
    void DrawKey(DXF& d) const;
    void DrawTitle(DXF& d, const char* text) const;

    CFPoint pos[54];

private:
    const CRectBqData* data_;
};
