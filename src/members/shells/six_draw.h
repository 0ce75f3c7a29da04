#pragma once
// The hexagonal shell's eleven result drawings: the values over the 15 points of
// the computed twelfth (drawn to scale, 120 units for the side), the principal
// forces with their directions, the additional bars and one edge member.
#include "drawing/dxf.h"

class CSixBqData;

class CSixBqDraw {
public:
    // Places the points: rows √3·60/4 apart downwards from the edge (y = 0) to
    // the centre, 15 units apart along a row from x = 0.
    explicit CSixBqDraw(const CSixBqData* data);

    // Writes the drawings into the work folder under the item's names, in file order.
    void DrawAll();

    // One file each (k of the item's drawing list).
    void DrawQuantity(int k);   // 0..6: Nx, Ny, S, Mx, My, Mxy, 位移
    void DrawPrincipal(int k);  // 7 Nmax, 8 Nmin
    void DrawAs();              // 9
    void DrawEdgeBeam();        // 10

    // Into an open drawing; the key moved down by `dy`.
    void DrawGrid(DXF& d) const;
    void DrawTitle(DXF& d, const char* text) const;
    void DrawKey(DXF& d, float dy = 0) const;

    CFPoint pos[15];

private:
    const CSixBqData* data_;
};
