#pragma once
// Handing results to outside programs: the current drawing of a project window
// to the CAD insertion tool (925), the current report (926) and the combined
// report (32869) to the desktop's word processor. The word processor gets byte
// copies of the RTF reports under ".doc" names in the work folder.
#include <string>

class CBbDoc_KV;

// Folder of the CAD insertion tool with a trailing '/', empty when none is
// configured.
extern std::string G_strPlivoPath;

// Where the CAD tool's folder is configured: value "Location" of this section in
// this profile file of the configuration folder.
inline constexpr const char* kPlivoSection = "SOFTWARE\\Vanjoro\\Morsil\\Plivo";
inline constexpr const char* kPlivoKey = "Location";
inline constexpr const char* kPlivoProfile = "KV.INI";
// The insertion tool's program in that folder.
inline constexpr const char* kInsDxfProgram = "InsDxf";
// The drawing handed to the tool, in the temporary folder.
inline constexpr const char* kExchangeDxf = "~tb50~.dxf";

// Reads the configured folder into G_strPlivoPath; always 1.
int GetPlivoPath();
// The temporary folder ($TMPDIR, else /tmp) with a trailing '/'.
std::string TempFolderPath();
// Starts the insertion tool on the exchange drawing and waits for it. 0 (with a
// message saying why) when no tool is configured, it cannot start or it fails.
int InsDxf(int mode);

void OnInsertCad(CBbDoc_KV& doc);       // 925
void OnWord(CBbDoc_KV& doc);            // 926
void OnOpenBaoBiaoDoc(CBbDoc_KV& doc);  // 32869

// Registers the three commands with the report documents.
void InstallExportCommands();
