#pragma once
// Pictures of the support cases of the natural-frequency page: ten beams
// (supports and mode shape) and six plates (fixed edges hatched), registered
// for the picture combo boxes under the ids below.

inline constexpr int IDB_BEAM_CASE1 = 430;   // cases 1..10: 430..439
inline constexpr int IDB_PLATE_CASE1 = 450;  // cases 1..6: 450..455
inline constexpr int kBeamCaseCount = 10;
inline constexpr int kPlateCaseCount = 6;

// Registers the sixteen pictures (again harmlessly).
void RegisterSupportCasePictures();
