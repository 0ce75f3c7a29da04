#include "drawing/picture.h"

#include <algorithm>
#include <cmath>

PictureLayout ComputePictureLayout(const CFRect& extent) {
    PictureLayout p;
    CFRect r = extent;
    // Margins: the width grows first, then the height, each by a twentieth.
    r.left -= r.Width() / 20;
    r.right += r.Width() / 20;
    r.bottom -= r.Height() / 20;
    r.top += r.Height() / 20;
    p.rect = r;
    const double w0 = r.Width(), h0 = r.Height();
    const double w = std::max(w0, 0.00001), h = std::max(h0, 0.00001);
    // The longer side is chosen on the true sizes and divided by its bounded
    // size, so a point or a sliver thinner than the bound is 2000 units square.
    p.scale = 2000.0 / (w0 > h0 ? w : h);
    p.extentW = static_cast<int>(std::lround(w * p.scale));
    p.extentH = static_cast<int>(std::lround(h * p.scale));
    p.sizeW_01mm = p.extentW * 8;
    p.sizeH_01mm = p.extentH * 8;
    return p;
}
