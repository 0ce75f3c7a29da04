#pragma once
// The sketches of the shell dialogs, drawn on demand under their picture ids.

inline constexpr int IDB_BQ_SIX = 130;          // regular hexagonal plan
inline constexpr int IDB_BQ_CIRCLE = 141;       // circular plan and section
inline constexpr int IDB_BQ_RING = 196;         // the ring beam's section: e_α, e1_α
inline constexpr int IDB_BQ_SUPPORT_QG = 203;   // 嵌固
inline constexpr int IDB_BQ_RECT = 206;         // rectangular plan
inline constexpr int IDB_BQ_SUPPORT_JZ = 207;   // 简支
inline constexpr int IDB_BQ_SUPPORT_TX = 208;   // 弹性

// Puts the sketches into the picture table (once is enough; again does no harm).
void RegisterShellPictures();
