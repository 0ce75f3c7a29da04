#pragma once
// Control ids of the formula wizard's pages (objectName = the id in decimal).
// Ids are unique within a page; the container's own are 1, 2 and 911.

namespace wizard_id {

// ---- 基本信息 ---------------------------------------------------------------
inline constexpr int kClassA = 1001;            // 甲类
inline constexpr int kClassB = 1002;            // 乙类
inline constexpr int kPartSlab = 1003;          // 顶底板 (乙类: 顶板)
inline constexpr int kPartWall = 1004;          // 外墙
inline constexpr int kCover = 1005;             // 顶板覆土厚
inline constexpr int kStoreyH = 1006;           // h
inline constexpr int kStoreyHLabel = 1040;
inline constexpr int kStoreyHUnit = 1041;
inline constexpr int kRoofDepth = 1007;         // h1
inline constexpr int kSpanL0 = 1008;            // 短跨净跨L0
inline constexpr int kStructForm = 1009;        // 结构形式
inline constexpr int kMainStructure = 1010;     // 主体结构
inline constexpr int kSaturated = 1011;         // 饱和土
inline constexpr int kAirContent = 1012;        // 含气量
inline constexpr int kAirContentLabel = 1042;
inline constexpr int kNuclearGroup = 1043;      // 防核武器
inline constexpr int kNuclearClass = 1013;
inline constexpr int kDeltaPm = 1014;
inline constexpr int kDeltaPmInput = 1015;      // 输入
inline constexpr int kDeltaPmHelp = 1016;       // ">"
inline constexpr int kRoofUpperN = 1017;
inline constexpr int kRoofUpperNHelp = 1018;
inline constexpr int kWallUpperN = 1019;
inline constexpr int kWallUpperNHelp = 1020;
inline constexpr int kConvClass = 1021;
inline constexpr int kRoofUpperC = 1022;
inline constexpr int kRoofUpperCHelp = 1023;
inline constexpr int kCharge = 1024;
inline constexpr int kChargeInput = 1025;
inline constexpr int kConvInputHelp = 1026;     // ">" of the conventional 输入 boxes
inline constexpr int kDistance = 1027;
inline constexpr int kDistanceInput = 1028;
inline constexpr int kSamplePicture = 1029;
inline constexpr int kSteps = 1030;             // 计算步骤

// ---- step pages: inputs ------------------------------------------------------
inline constexpr int kGamma = 1101;             // 波速比γ
inline constexpr int kV0 = 1102;
inline constexpr int kDelta = 1103;
inline constexpr int kEtaC = 1104;              // 修正系数η
inline constexpr int kEta = 1105;               // 底压系数η
inline constexpr int kXi = 1106;                // 侧压系数ξ
inline constexpr int kCeRoof = 1107;
inline constexpr int kKrRoof = 1108;
inline constexpr int kCeWall = 1109;
inline constexpr int kKrWall = 1110;
inline constexpr int kCeWallGnd = 1111;
inline constexpr int kRho = 1112;
inline constexpr int kSeisSpeed = 1113;
inline constexpr int kDecay = 1114;
inline constexpr int kBeta1 = 1115;
inline constexpr int kBeta2 = 1116;
inline constexpr int kBeta2Gnd = 1117;
inline constexpr int kBeta1C = 1118;
inline constexpr int kBeta2C = 1119;
inline constexpr int kBeta2GndC = 1120;

// ---- step pages: results -----------------------------------------------------
inline constexpr int kDeltaPmsRoof = 1201;
inline constexpr int kDeltaPmsWall = 1202;
inline constexpr int kNuclearClassText = 1203;
inline constexpr int kDeltaPcmRoof = 1204;
inline constexpr int kDeltaPcmWall = 1205;
inline constexpr int kConvClassText = 1206;
inline constexpr int kDepthRoof = 1207;
inline constexpr int kDepthWall = 1208;
inline constexpr int kPhRoof = 1209;
inline constexpr int kPhWall = 1210;
inline constexpr int kPchRoof = 1211;
inline constexpr int kK = 1212;
inline constexpr int kPc1 = 1213;
inline constexpr int kPc3 = 1214;
inline constexpr int kPc2 = 1215;
inline constexpr int kPc2Gnd = 1216;
inline constexpr int kPc1C = 1217;
inline constexpr int kPc2C = 1218;
inline constexpr int kPc2GndC = 1219;
inline constexpr int kOmegaRoofShown = 1220;    // ω on the Kd page
inline constexpr int kOmegaFloorShown = 1221;
inline constexpr int kOmegaWallShown = 1222;
inline constexpr int kKd1 = 1223;
inline constexpr int kKd3 = 1224;
inline constexpr int kKd2 = 1225;
inline constexpr int kKd2Gnd = 1226;
inline constexpr int kKdc1 = 1227;
inline constexpr int kKdc2 = 1228;
inline constexpr int kKdc2Gnd = 1229;
inline constexpr int kQe1 = 1230;
inline constexpr int kQe3 = 1231;
inline constexpr int kQe2 = 1232;
inline constexpr int kQe2Gnd = 1233;
inline constexpr int kQce1 = 1234;
inline constexpr int kQce2 = 1235;
inline constexpr int kQce2Gnd = 1236;
inline constexpr int kQeiRoof = 1237;           // qei控制值
inline constexpr int kQeiFloor = 1238;
inline constexpr int kQeiWall = 1239;
inline constexpr int kQeiWallGnd = 1240;

// ---- step pages: labels, groups and buttons ------------------------------------
inline constexpr int kNuclearBlock = 1301;      // group box of the nuclear values
inline constexpr int kConvBlock = 1302;         // group box of the conventional values
inline constexpr int kNotNeeded = 1303;         // "(这种情况不需要计算)"
inline constexpr int kNotComputed = 1304;       // "不计算" in place of Pc2' (or qe2')
inline constexpr int kGoverning = 1305;         // group box qei控制值
inline constexpr int kSoilHelp = 1310;
inline constexpr int kEtaCHelp = 1311;
inline constexpr int kEtaHelp = 1312;
inline constexpr int kXiHelp = 1313;
inline constexpr int kKrWallHelp = 1314;
inline constexpr int kKrRoofHelp = 1315;
inline constexpr int kCeRoofHelp = 1316;
inline constexpr int kCeWallHelp = 1317;
inline constexpr int kCeWallGndHelp = 1318;
inline constexpr int kSoilWaveHelp = 1319;      // beside ρ, c, n
inline constexpr int kBetaHelp = 1320;
inline constexpr int kBetaCHelp = 1321;
inline constexpr int kOutputReport = 1330;      // 输出报表

// ---- 第四步 ω ------------------------------------------------------------------
inline constexpr int kBeam = 1401;              // 梁
inline constexpr int kPlate = 1402;             // 板
inline constexpr int kManual = 1403;            // 人工干预
inline constexpr int kAuto = 1404;              // 自动计算
inline constexpr int kBeamCases = 1405;
inline constexpr int kPlateCases = 1406;
inline constexpr int kBeamWidth = 1407;
inline constexpr int kBeamHeight = 1408;
inline constexpr int kBeamSpan = 1409;
inline constexpr int kPlateA = 1410;
inline constexpr int kPlateB = 1411;
inline constexpr int kPlateThick = 1412;
inline constexpr int kUnitWeight = 1413;
inline constexpr int kGrade = 1414;
inline constexpr int kOmegaRoof = 1415;
inline constexpr int kOmegaFloor = 1416;
inline constexpr int kOmegaWall = 1417;
inline constexpr int kCalRoof = 1418;           // 计算
inline constexpr int kCalFloor = 1419;          // 程序计算
inline constexpr int kCalWall = 1420;           // 计算

}  // namespace wizard_id
