#pragma once
// Pieces the output stage's files share.
#include <cstdio>
#include <vector>

class freedom_file;

namespace kv::fem {
class WorkFile;
}

namespace kv::fem::out {

// The solution vector of one load case from "LOAD_V.FB" (neq doubles per case).
bool ReadSolution(std::FILE* loads, int neq, int load_case, std::vector<double>& U);
// w of every mesh node: its w freedom's value, 0 where it is restrained (ids loaded).
void NodeDisplacements(const freedom_file& freedom, const std::vector<double>& U, float* w);
// Puts a written file in place; false with the error told.
bool Commit(WorkFile& file, const char* name);

}  // namespace kv::fem::out
