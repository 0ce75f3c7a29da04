#pragma once
// Drawing commands appended to an AutoCAD script file, for looking at a
// calculation's geometry in a CAD program.
#include <cstdio>

void acad_circle(std::FILE* fp, float x, float y, float r);
void acad_text(std::FILE* fp, float x, float y, float height, const char* text);
// A three-cornered face in the plane z = 0.
void acad_3dface(std::FILE* fp, float x1, float y1, float x2, float y2, float x3, float y3);
