#pragma once
// The circular shell's twelve result drawings: one half meridian drawn as an arc
// of radius 30, each station's value a short stroke with its label, and two text
// blocks (the ring beam, the values at the ring beam).
class CCircleBqData;
class DXF;

// Arctangent of a float, in extended precision.
long double fatan(float x);

class CCircleBqDraw {
public:
    explicit CCircleBqDraw(const CCircleBqData* data) : data_(data) {}

    // Places the stations, then writes the drawings into the work folder under
    // the item's drawing names, in the order 0, 1, 2, 3, 7, 11, 4, 5, 6, 8, 9, 10.
    void DrawAll();

    // One file each (k of the item's drawing list).
    void DrawNPhi();     // 0
    void DrawNTheta();   // 1
    void DrawMPhi();     // 2
    void DrawQPhi();     // 3
    void DrawW();        // 4
    void DrawV();        // 5
    void DrawChi();      // 6
    void DrawRingBeam();    // 7
    void DrawRadii();       // 8
    void DrawMeridBars();   // 9
    void DrawHoopBars();    // 10
    void DrawEdgeValues();  // 11

    // Into an open drawing.
    void DrawOutline(DXF& d) const;
    void DrawTitle(DXF& d, const char* text) const;

    float x_pt[13] = {}, y_pt[13] = {}, phi[13] = {};

private:
    void SetStations();
    // Strokes and labels of one quantity (its values scaled by `scale` for the labels).
    void DrawQuantity(int k, const float (&values)[13], const char* title, const char* format, float scale);
    void DrawBars(int k, const float (&areas)[13][2], const char* title);

    const CCircleBqData* data_;
};
