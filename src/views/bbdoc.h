#pragma once
// The report document: every window of the program (project, single calculation,
// report) holds one. It carries the module row of a project window and its title;
// commands of the project window's dialog bar are handled here.
#include "views/cmdui.h"

#include "base/jsdata.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class DXF;

class CChildFrameBase;

class CBbDoc_KV : public QObject {
    Q_OBJECT
public:
    explicit CBbDoc_KV(QObject* parent = nullptr);
    ~CBbDoc_KV() override;

    // The module row of a project window (-1 in the other windows).
    int m_nModule = -1;

    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);
    // The document's path name; its title becomes the name part. Nothing goes into a
    // recent-file list.
    void SetPathName(const QString& path);
    const QString& GetPathName() const { return m_pathName; }

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    // A modified document asks whether to save it: false when the user cancels or
    // the report could not be saved.
    bool SaveModified();
    // How a report is saved on Yes; false on failure. Unset, the window's report
    // view saves it where it came from (保存RTF文件).
    using SaveFunction = std::function<bool(CBbDoc_KV&)>;
    static void SetSaveFunction(SaveFunction save);

    // The window that shows this document.
    CChildFrameBase* GetFrame() const { return m_frame; }
    void SetFrame(CChildFrameBase* frame) { m_frame = frame; }

    // Document commands (the dialog bar's buttons and combos, Word and CAD export)
    // are supplied by the project work: one handler per command id for all documents.
    using Handler = std::function<void(CBbDoc_KV&)>;
    static void SetCommandHandler(int id, Handler handler);
    bool OnCmdMsg(int id, CCmdUI* ui);

    // ---- the drawing the drawing view shows --------------------------------------
    DXF* GetDxf() const { return m_pDxf.get(); }
    // Drops the drawing.
    void FreeDxf();
    // Replaces the drawing with the DXF file at `path`; the reader's result (a
    // missing or bad file leaves an empty drawing).
    int ReadDxf(const std::string& path);
    // Takes over `dxf` in place of the drawing.
    void SetDxf(std::unique_ptr<DXF> dxf);

    // ---- the project window's item list ------------------------------------------
    // Refills the window's item list (combo 47647) with the module's items and its
    // result list (combo 47646) with the query entries of the selected item.
    void RefreshItemList(bool selectLast, bool skipNames);
    // The "##Name" of an item file (bare names are read from the project folder).
    static std::string ReadItemName(const std::string& itemFile);
    // Reads the item file's query entries into the document (at most 50).
    void ReadChaXun(const std::string& itemFile);
    void OnSelchangeItem();
    void OnSelchangeChaXun();
    // Shows the current query entry's drawing and report in the current views.
    void ShowChaXun();
    // The document title: the module name, with the work setting's suffix.
    void UpdateTitle(const std::string& moduleName);
    // "%02d  %s(&KV_%04d.DAT)"
    static std::string ItemEntryText(int position, const std::string& name, int itemNo);

    // ---- the item commands ----------------------------------------------------------
    // What running an item needs of the main frame; the shell installs it. Unset,
    // an item run stops after checking the selection.
    struct ItemRunHost {
        // Hands the module command its item: title, stem, module flag, new-item flag.
        std::function<void(const std::string& title, const std::string& stem, int moduleFlag, int newItem)> setItem;
        std::function<std::string()> itemStem;       // the stem of the last item run
        std::function<void(int id)> runCommand;      // runs a command of the main frame
        std::function<bool()> itemFileExists;        // the item's data file is there
        std::function<bool()> isProjectMode;
    };
    static void SetItemRunHost(ItemRunHost host);

    void OnCalculate();   // 913 计算
    void OnAddItem();     // 916 新增
    void OnDeleteItem();  // 920 删除
    // Runs the item selected in the item list through its module's command. A new
    // item whose data file the command did not write is taken out again.
    void RunItem(int newItem);
    // Stores `data` as the current item's data file ("<stem>.dat" in the work
    // folder) under the item's stem; SaveData's result.
    static int StoreItemData(CJsBaseData* data);

    int m_nChaXun = 0;                     // entries read from the current item
    std::vector<ChaXunEntry> m_chaXun;     // the entries read
    int m_nCurItem = 0;                    // index in the item list
    int m_nCurChaXun = 0;                  // index in the result list

signals:
    void titleChanged(const QString& title);

private:
    QString m_title;
    QString m_pathName;
    bool m_modified = false;
    CChildFrameBase* m_frame = nullptr;
    std::unique_ptr<DXF> m_pDxf;
};
