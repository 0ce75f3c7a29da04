#pragma once
// "单元隔墙" (command 32776) and "防倒塌" (command 32775): the loads on a partition
// between protective units and on an open anti-collapse shed, from the code's tables.
#include "loads/partitionshed.h"
#include "loads/ui/loaddlg.h"

class CDlgPartitionLoad : public CLoadDlgBase {
    Q_OBJECT
public:
    CDlgPartitionLoad(PartitionInput& in, QWidget* parent = nullptr);
    void UpdateControls();

protected:
    bool UpdateData(bool save) override;
    std::string Answer() const override { return PartitionAnswer(m_in); }

private:
    PartitionInput& m_in;
    QComboBox* m_pair;   // 1046
    QCheckBox* m_upper;  // 1071
};

class CDlgShedLoad : public CLoadDlgBase {
    Q_OBJECT
public:
    CDlgShedLoad(ShedInput& in, QWidget* parent = nullptr);

protected:
    bool UpdateData(bool save) override;
    std::string Answer() const override { return ShedAnswer(m_in); }

private:
    ShedInput& m_in;
    QComboBox* m_nuclear;  // 1046
};

// Commands 32776 and 32775: each dialog over `parent`, keeping its inputs from one
// use to the next.
void OnLoadPartition(QWidget* parent);
void OnLoadShed(QWidget* parent);
