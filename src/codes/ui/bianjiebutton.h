#pragma once
// A picture button showing a rectangular plate with the support of each edge
// and flagged corners.
#include <QAbstractButton>

class CBianJieButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit CBianJieButton(QWidget* parent = nullptr);

    // Edge codes, order bottom, right, top, left: 0 a free edge (a line), 1 and 2
    // supported edges (strips hatched one way or crosswise), other codes nothing.
    // Corner flags, order bottom-left, bottom-right, top-right, top-left.
    // The caller repaints the button.
    void SetBianJie(int bottom, int right, int top, int left, int cornerBL, int cornerBR, int cornerTR,
                    int cornerTL);

    int m_nBianJie[4] = {0, 0, 0, 0};
    int m_nJiao[4] = {0, 0, 0, 0};

    QSize sizeHint() const override { return {160, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;
};
