#pragma once
// Design-code editions and their grade tables: concrete grades, bar grades and
// their signs, standard bar diameters and spacings, the order in which the
// dialogs offer bar grades. Editions are code years (89, 96, 2002, 2008, 2010);
// tables exist for 2002 (GB 50010-2002) and 2010 (GB 50010-2010); 89 and 96 use 2002.
#include <string>
#include <vector>

// Text-height factor of the design-aid drawings; 1.0 from start-up.
extern float G_HightText;

// The editions that have tables, oldest first; returns their number.
int GF_GetGuiFanList(std::vector<int>& list);

// Name of the concrete design code of an edition (kind 1). style 0: the code's
// number ("GB 50010-2010"); 1: its title; 2: title in 《》 and the number.
// Empty for an unknown edition or kind.
const char* GF_GetGuiFanName(int edition, int kind, int style);

// Concrete grades of an edition (C-grade numbers, ascending); returns their number.
int GF_GetCradeList(int edition, std::vector<int>& list);

// kind 0: number of concrete grades; kind 1: number n of bar grades (codes 1..n).
int GF_GetGradeCount(int edition, int kind);

// Sign of a concrete grade ("C30"); empty when the edition lacks it.
const char* GF_GetConSign(int edition, int grade);

// Sign of a bar grade code, the grade name ("HRB400"); style is reserved (0).
// Empty when the edition lacks the code.
const char* GF_GetGangJinSign(int edition, int code, int style);

// Standard diameters (mm, ascending) of a bar grade; returns their number. The
// plain round bar has 7, the residual-heat-treated bar 13, the ribbed bars 15.
// kind is reserved (0).
int GF_GetGangJinDimList(int edition, int code, std::vector<int>& list, int kind);

// The 24 standard bar spacings (mm, ascending); returns their number.
int GF_GetGangJinJianJuList(int edition, int code, std::vector<int>& list, int kind);

// Names under the edition in force (G_guifan): bar grade code, concrete grade.
const char* _GJ(int code);
const char* _HNT(int grade);

// Display order of bar grade codes for a dialog use (0..3); returns its length
// (0 for an edition without an order).
int GetGangJinOrder(int edition, std::vector<int>& order, int use);

// The grade code whose sign the text contains: the given edition is searched
// first, then the other known editions from the newest. kind 1: bar grades;
// otherwise concrete grades. A result below 2 (or no match) gives 1.
int GradeFromSign(int edition, const std::string& text, int kind);
