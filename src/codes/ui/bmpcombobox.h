#pragma once
// A combo box whose items are pictures. Each item's data is the id of the
// picture it shows (AddBmp); the pictures come from the picture table below.
#include <QComboBox>
#include <QPixmap>
#include <functional>

// Picture ids of the plate-edge supports.
inline constexpr int IDB_JIANZHI = 156;  // 简支 simply supported
inline constexpr int IDB_GUDING = 113;   // 固定 fixed
inline constexpr int IDB_TANXING = 218;  // 弹性 elastic

// Dialogs register the pictures they show under their ids; the edge pictures
// are built in. Pictures are drawn on demand, so none outlives the application.
void RegisterBmpResource(int id, std::function<QPixmap()> maker);
// The picture of an id; a null pixmap for an unknown id.
QPixmap LoadBmpResource(int id);

class CBmpComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit CBmpComboBox(QWidget* parent = nullptr);

    // Appends an item showing picture `id`; returns its index.
    int AddBmp(int id);
    // The picture id of an item (0 when there is none).
    int BmpId(int index) const;
    // Ordering of two items by their picture ids: -1, 0, 1.
    static int CompareItem(int id1, int id2) { return id1 < id2 ? -1 : (id1 > id2 ? 1 : 0); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize LargestPicture() const;
};
