#include "loads/ui/partitiondlg.h"

#include "loads/ui/loadtablepages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace {

const char* const kShedClasses[] = {"核6B级", "核6级", "核5级"};

}  // namespace

CDlgPartitionLoad::CDlgPartitionLoad(PartitionInput& in, QWidget* parent)
    : CLoadDlgBase(107, QStringLiteral("单元隔墙"), parent), m_in(in) {
    auto* picture = new CPictureButton("IDB_BITMAP_DYGQ", "IDB_BITMAP_DYGQ", QStringLiteral("单元隔墙"), this);
    picture->setObjectName("1132");
    m_pair = MakeCombo(1046, kPartitionPairNames, kPartitionPairs);
    m_upper = MakeCheck(1071, QStringLiteral("考虑上部建筑物影响"));

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("隔墙两侧防核武器抗力级别"), this), 0, 0);
    inputs->addWidget(m_pair, 1, 0);
    inputs->addWidget(m_upper, 2, 0);
    inputs->setRowStretch(3, 1);
    LayOut(picture, inputs);

    connect(m_pair, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_writingBack) UpdateControls();
    });
    connect(m_upper, &QAbstractButton::clicked, this, &CDlgPartitionLoad::UpdateControls);

    WriteBack();
    UpdateControls();
}

bool CDlgPartitionLoad::UpdateData(bool save) {
    if (!save) {
        m_pair->setCurrentIndex(m_in.pair);
        m_upper->setChecked(m_in.upperBuilding != 0);
        return true;
    }
    m_in.pair = m_pair->currentIndex();
    m_in.upperBuilding = m_upper->isChecked() ? 1 : 0;
    return true;
}

void CDlgPartitionLoad::UpdateControls() {
    UpdateData(true);
    m_upper->setVisible(PartitionPairTakesUpperBuilding(m_in.pair));
    WriteBack();
    Calculate();
}

void OnLoadPartition(QWidget* parent) {
    static PartitionInput in;
    CDlgPartitionLoad dlg(in, parent);
    dlg.exec();
}

CDlgShedLoad::CDlgShedLoad(ShedInput& in, QWidget* parent)
    : CLoadDlgBase(106, QStringLiteral("室外开敞式防倒塌棚架"), parent), m_in(in) {
    auto* picture = new CPictureButton("IDB_BITMAP_FDT", "IDB_BITMAP_FDT", QStringLiteral("防倒塌棚架"), this);
    picture->setObjectName("1122");
    m_nuclear = MakeCombo(1046, kShedClasses, 3);

    auto* inputs = new QGridLayout;
    inputs->addWidget(new QLabel(QStringLiteral("防核武器抗力级别"), this), 0, 0);
    inputs->addWidget(m_nuclear, 0, 1);
    inputs->setRowStretch(1, 1);
    inputs->setColumnStretch(2, 1);
    LayOut(picture, inputs);
    ConnectRecalc(m_nuclear);

    WriteBack();
    Calculate();
}

bool CDlgShedLoad::UpdateData(bool save) {
    if (!save) {
        m_nuclear->setCurrentIndex(m_in.nuclearClass);
        return true;
    }
    m_in.nuclearClass = m_nuclear->currentIndex();
    return true;
}

void OnLoadShed(QWidget* parent) {
    static ShedInput in;
    CDlgShedLoad dlg(in, parent);
    dlg.exec();
}
