#pragma once
// The project: which modules it uses, and the items of each module with their
// numbers, as kept in the project file "Kavlund.PRJ" of the project folder.
#include <array>
#include <ctime>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kMaxModules = 50;         // module rows a project file holds
inline constexpr int kMaxItemsPerModule = 100;
inline constexpr int kMaxItemNo = 5000;
inline constexpr const char* kProjectFileName = "Kavlund.PRJ";
inline constexpr const char* kProjectMagic = "Vanjoro Kavlund Project v4.0";
inline constexpr const char* kProjectMagicOld = "Vanjoro Kavlund Project v2.0";

class CProject {
public:
    // Smallest number from 1 to 5000 that no module's slot holds; 0 when all are used.
    int GetNewItemNo() const;
    // Appends a new item to module m; its number, or 0 when the module is full
    // (100 items) or no number is free.
    int AddItem(int m);
    // Removes item i of module m from the table (its files stay); 0 when the
    // module has no item or i is not one of its items.
    int DeleteItem(int m, int i);

    // Reads "Kavlund.PRJ" from the current folder: 1 on success; 0 when the file is
    // missing, foreign, cut short or holds impossible values, and then the table
    // is left as it was.
    int ReadPrj();
    // Writes "Kavlund.PRJ" into the current folder (the 4.0 layout, with the names
    // of the module rows in use); 0 when it cannot be written.
    int WritePrj(const std::vector<std::string>& moduleRowNames) const;

    // The item stem "&KV_%04d" and item file "&KV_%04d.DAT" of an item number.
    static std::string ItemStem(int itemNo);
    static std::string ItemFileName(int itemNo);

    std::string m_strName;     // project name
    std::string m_strNumber;   // project number
    std::string m_strTime;     // design time
    std::array<std::int32_t, kMaxModules> m_nSelected{};
    std::array<std::int32_t, kMaxModules> m_nCount{};
    std::array<std::array<std::int32_t, kMaxItemsPerModule>, kMaxModules> m_nItemNo{};
};

extern CProject G_Project;

// Project information: name, number, design time and folder. The first three are
// kept in "GCXX.BOX" in the project folder.
class CGcxx {
public:
    CGcxx() { SetDefault(); }
    // "****工程人防计算", "980001", the date and time now, "c:\temp\".
    void SetDefault();
    void SetDefault(std::time_t now);

    // Reads the three lines of "GCXX.BOX" in `folder` (trailing '/' optional).
    // False when the file cannot be read; a missing line gives an empty text.
    bool ReadBox(const std::string& folder);
    // Writes the three lines into "GCXX.BOX" of `folder`. False when it cannot.
    bool WriteBox(const std::string& folder) const;

    std::string m_strName, m_strNumber, m_strTime, m_strPath;
};

extern CGcxx G_Gcxx;

// The design time as the program shows it: "2011年3月9日 14:05:09".
std::string FormatDesignTime(std::time_t when);
