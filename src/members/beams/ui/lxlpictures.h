#pragma once
// The continuous-beam dialog's pictures: the end supports of the left end for
// its support combo (the right end's are the plate-edge pictures), and the six
// load types, small in the type combo and large with their sizes on the picture
// button. Drawn here, so they read alike at any screen scale.
#include <QPixmap>

inline constexpr int IDB_LXL_LEFT_SIMPLE = 115;  // 简支, the beam to the right of the support
inline constexpr int IDB_LXL_LEFT_FIXED = 157;   // 固定, the beam built into a wall on its left
// The type combo's pictures, by load type − 1.
inline constexpr int kLxlLoadTypePictures[6] = {172, 174, 171, 170, 123, 169};

// Registers the pictures above with the picture combos; more calls change nothing.
void RegisterLxlPictures();
// The picture button's picture of load type `type` (1..6): the load on a simple
// beam with the names of its values; a null pixmap for another type.
QPixmap LxlLoadTypePicture(int type);
