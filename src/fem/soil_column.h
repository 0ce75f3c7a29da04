#pragma once
// The soil columns of an analysis on soil: the columns given at a few points of
// the plan ("SOIL.FB"), and the work file "SOILNODE.FB" with one column per mesh
// node (the nearest given one), written by the mesh stage for the analyses on
// soil and read by the soil stages, cut at the base elevation.
//
// "SOILNODE.FB": one int32 per mesh node (node numbering of "NET_DAT.FB"), the
// byte offset of its record; then per node, in order, its column in binary form.
#include "fem/soil_data.h"
#include "fem/workfile.h"

#include <vector>

class soil_column {
public:
    // Loads "SOIL.FB"; 1, or 0 with the error channel told (310 for a file without columns).
    int read();
    // Copies the column nearest to (x, y) into `out`; the earlier of equally near ones.
    int near_column(float x, float y, soil_date_xy* out) const;
    // A fixed four-layer column, whatever the point.
    int default_column(float x, float y, soil_date_xy* out) const;

    int num = 0;
    std::vector<float> x, y;
    std::vector<soil_date_xy> columns;
};

class soilnode_file {
public:
    explicit soilnode_file(const char* name);
    soilnode_file(const soilnode_file&) = delete;
    soilnode_file& operator=(const soilnode_file&) = delete;

    // The column of a node (from 0) cut below z, cut above z, or whole: 1, or 0
    // with the error channel told. `out`'s layers are released before it is filled.
    int read_node(int node, soil_date_xy* out, float z);
    int read_node_area(int node, soil_date_xy* out, float z);
    int read(int node, soil_date_xy* out);
    // Releases `out`'s layers when a node is current.
    void free_node(soil_date_xy* out);

    int current = -1;

private:
    int read_record(int node, soil_date_xy* out);

    kv::fem::WorkFile file_;
    long long offset_ = 0;
};
