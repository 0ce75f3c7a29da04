#pragma once
// Geometry of the foundation base, computed from the mesh stage's work files in
// the current folder: the tributary base area of every mesh node, the governing
// base elevation, the centroid and second moments of the base, and the resultant
// of a load vector on a rigid base. Failures go through the error channel.
#include <vector>

// Node areas (m², node numbering of "NET_DAT.FB"): the plate triangles' thirds
// and the footprints of the foundation strips; empty on failure. Logs the total.
std::vector<float> cal_area();
// The same from the plate triangles only; logs nothing.
std::vector<float> cal_area_0();
void print_total_area(const float* areas, int n);

// Area of a strip footprint (corners xs, ys as cal_local_coordi_cross gives them)
// on the near side of the cut x = s.
float area_under_cut(float s, const float* xs, const float* ys);
// The footprint shared out among the m division points of a beam of length L.
void cal_area_strip(const float* xs, const float* ys, float L, int m, float* out);

// The base elevation: of the elevations of the foundation beams and plates, the one
// carrying the most area, the middle one of those within 5 % of it.
float cal_elev();
int cal_beam_elev(std::vector<float>* areas, std::vector<float>* elevations);
int cal_plate_elev(std::vector<float>* areas, std::vector<float>* elevations);
float combine_area_same_elev(int n, const float* areas, const float* elevations);

// Total area, centroid and second moments of the node areas.
void cal_centriod_base(float* A, float* xc, float* yc, float* Ix, float* Iy, const float* areas);
// Resultant of the vertical loads (entry 3k of `load`, downward negative) about the centroid.
void init_react_force(float A, float xc, float yc, float* W, float* Mx, float* My, const double* load);

// "Area.fb": the node areas; "Grav.fb": per node the weight of the soil above the
// base elevation (from "SOILNODE.FB"). 1, or 0 with the error channel told.
int write_area_file(const float* areas, int n);
// `weights`, when given, takes the per-area weights too.
int write_grav_file(int n, float base_elevation, std::vector<float>* weights = nullptr);
