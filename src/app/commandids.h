#pragma once
// Command ids of the main frame: menus, toolbars, accelerators and the commands
// that any part of the program sends to the main frame carry these numbers.
namespace kv::cmd {

// Framework commands.
inline constexpr int kFileClose = 57602;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kEditClear = 57632;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditFind = 57636;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditPasteSpecial = 57639;
inline constexpr int kEditRepeat = 57640;
inline constexpr int kEditReplace = 57641;
inline constexpr int kEditSelectAll = 57642;
inline constexpr int kEditUndo = 57643;
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTileHorz = 57651;
inline constexpr int kWindowTileVert = 57652;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpIndex = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kOleInsertNew = 57856;
inline constexpr int kOleEditLinks = 57857;
inline constexpr int kOleEditProperties = 57860;
inline constexpr int kFontColor = 57696;
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;

// Drawing-view zoom commands.
inline constexpr int kZoomOut = 57013;
inline constexpr int kZoomIn = 57014;
inline constexpr int kShowAll = 57015;
inline constexpr int kShowMove = 57016;
inline constexpr int kShowRect = 57017;
inline constexpr int kShowAgain = 57018;
inline constexpr int kShowPrevious = 57019;

// Shell commands.
inline constexpr int kOpenProject = 32789;
inline constexpr int kSelectItems = 32842;
inline constexpr int kJss = 32836;
inline constexpr int kDxjs = 32837;
inline constexpr int kBackToProject = 32838;
inline constexpr int kMakeBaoBiao = 32839;
inline constexpr int kViewBaoBiao = 32840;
inline constexpr int kOpenBaoBiaoDoc = 32869;
inline constexpr int kShowMessage = 32851;
inline constexpr int kWorkSetDj = 32861;
inline constexpr int kWorkSetCc = 32862;
inline constexpr int kWorkSetKd = 32863;

// Project window dialog bar (148).
inline constexpr int kDialogBar = 148;
inline constexpr int kCalculate = 913;
inline constexpr int kAddItem = 916;
inline constexpr int kDeleteItem = 920;
inline constexpr int kInsertCad = 925;
inline constexpr int kWord = 926;
inline constexpr int kChaXunCombo = 47646;
inline constexpr int kItemCombo = 47647;

}  // namespace kv::cmd
