#pragma once
// How a drawing becomes a picture of fixed size: the extent gets a margin of a
// twentieth on each side, the longer side becomes 2000 picture units, and a
// pasted picture is 160 mm on its longer side.
#include "drawing/dxf.h"

struct PictureLayout {
    CFRect rect;          // drawing rectangle after the margins
    double scale = 1;     // picture units per drawing unit
    int extentW = 0;      // picture size in picture units
    int extentH = 0;
    int sizeW_01mm = 0;   // picture size in hundredths of a millimetre
    int sizeH_01mm = 0;
    // The mapping that draws the rectangle into the picture: origin at its top-left.
    CFCoor Coor() const {
        CFCoor c;
        c.SetScale(scale);
        c.SetOrigin(rect.left, rect.top);
        return c;
    }
};

PictureLayout ComputePictureLayout(const CFRect& extent);
