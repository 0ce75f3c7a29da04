#include "base/acadscript.h"

void acad_circle(std::FILE* fp, float x, float y, float r) {
    if (fp) std::fprintf(fp, "CIRCLE %f,%f %f\n", x, y, r);
}

void acad_text(std::FILE* fp, float x, float y, float height, const char* text) {
    // Start point, height, rotation, then the text on its own line.
    if (fp) std::fprintf(fp, "TEXT %f,%f %f 0\n%s\n", x, y, height, text ? text : "");
}

void acad_3dface(std::FILE* fp, float x1, float y1, float x2, float y2, float x3, float y3) {
    // An empty fourth corner closes the face as a triangle; the next empty
    // line ends the command.
    if (fp) std::fprintf(fp, "3DFACE %f,%f,0 %f,%f,0 %f,%f,0\n\n\n", x1, y1, x2, y2, x3, y3);
}
