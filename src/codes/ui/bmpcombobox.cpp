#include "codes/ui/bmpcombobox.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <map>

namespace {

const QColor kFrameSelected(0, 0, 255);
constexpr int kFrame = 2;

// --- the edge pictures -------------------------------------------------------
// Each shows the plate end (a thick bar) with its support symbol and the name.

constexpr int kPicW = 96, kPicH = 28;

QPixmap EdgePicture(void (*symbol)(QPainter&), const char* name) {
    QPixmap pm(kPicW, kPicH);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    symbol(p);
    QFont font = p.font();
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QRect(54, 0, kPicW - 56, kPicH), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8(name));
    return pm;
}

void Plate(QPainter& p, int x1, int x2, int y) {
    p.setPen(QPen(QColor(0, 0, 160), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(x1, y, x2, y);
}

void Ground(QPainter& p, int x1, int x2, int y) {
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(x1, y, x2, y);
    for (int x = x1 + 2; x <= x2; x += 4) p.drawLine(x, y, x - 4, y + 4);
}

void Wall(QPainter& p, int x, int y1, int y2) {
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(x, y1, x, y2);
    p.setPen(QPen(Qt::black, 1));
    for (int y = y1 + 2; y <= y2; y += 4) p.drawLine(x, y, x + 5, y - 4);
}

// A pin: the plate end rests on a triangle.
void SimpleSymbol(QPainter& p) {
    Plate(p, 4, 38, 8);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    const QPointF tri[3] = {{34, 10}, {28, 20}, {40, 20}};
    p.drawPolygon(tri, 3);
    Ground(p, 24, 44, 21);
}

// The plate end built into a wall.
void FixedSymbol(QPainter& p) {
    Plate(p, 4, 40, 14);
    Wall(p, 41, 2, 26);
}

// The plate end held by a spring against a wall.
void ElasticSymbol(QPainter& p) {
    Plate(p, 4, 26, 14);
    p.setPen(QPen(Qt::black, 1.5));
    const QPointF spring[] = {{26, 14}, {28, 9}, {31, 19}, {34, 9}, {37, 19}, {39, 14}, {41, 14}};
    p.drawPolyline(spring, 7);
    Wall(p, 42, 2, 26);
}

std::map<int, std::function<QPixmap()>>& Table() {
    static std::map<int, std::function<QPixmap()>> table = {
        {IDB_JIANZHI, [] { return EdgePicture(SimpleSymbol, "简支"); }},
        {IDB_GUDING, [] { return EdgePicture(FixedSymbol, "固定"); }},
        {IDB_TANXING, [] { return EdgePicture(ElasticSymbol, "弹性"); }},
    };
    return table;
}

// Draws one picture item: white ground, the picture from its point (1, 1) at the
// item's top-left corner, and a blue frame when the item is selected.
void DrawBmpItem(QPainter& p, const QRect& rect, int id, bool selected) {
    if (id < 1) return;
    p.fillRect(rect, Qt::white);
    const QPixmap pm = LoadBmpResource(id);
    if (!pm.isNull()) p.drawPixmap(rect.topLeft(), pm, QRect(1, 1, pm.width() - 1, pm.height() - 1));
    if (selected) {
        QPen pen(kFrameSelected, kFrame);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect).adjusted(kFrame / 2.0, kFrame / 2.0, -kFrame / 2.0, -kFrame / 2.0 - 1));
    }
}

class BmpItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        p->fillRect(option.rect, QColor(192, 192, 192));
        DrawBmpItem(*p, option.rect, index.data(Qt::UserRole).toInt(),
                    (option.state & QStyle::State_Selected) != 0);
        p->restore();
    }
    // The item is as high as its picture.
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const QPixmap pm = LoadBmpResource(index.data(Qt::UserRole).toInt());
        return pm.isNull() ? QSize(kPicW, kPicH) : pm.size();
    }
};

}  // namespace

void RegisterBmpResource(int id, std::function<QPixmap()> maker) { Table()[id] = std::move(maker); }

QPixmap LoadBmpResource(int id) {
    auto it = Table().find(id);
    return it == Table().end() ? QPixmap() : it->second();
}

CBmpComboBox::CBmpComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new BmpItemDelegate(this));
}

int CBmpComboBox::AddBmp(int id) {
    addItem(QString(), id);
    updateGeometry();
    return count() - 1;
}

int CBmpComboBox::BmpId(int index) const { return itemData(index).toInt(); }

QSize CBmpComboBox::LargestPicture() const {
    QSize size(kPicW, kPicH);
    for (int i = 0; i < count(); ++i) size = size.expandedTo(LoadBmpResource(BmpId(i)).size());
    return size;
}

QSize CBmpComboBox::sizeHint() const {
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &opt, LargestPicture(), this);
}

QSize CBmpComboBox::minimumSizeHint() const { return sizeHint(); }

// The closed box shows the current item's picture in its edit field.
void CBmpComboBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() >= 0) {
        const QPixmap pm = LoadBmpResource(BmpId(currentIndex()));
        QRect item(field.topLeft(), pm.isNull() ? field.size() : pm.size().boundedTo(field.size()));
        item.moveCenter(QPoint(item.center().x(), field.center().y()));
        p.setClipRect(field);
        DrawBmpItem(p, item, BmpId(currentIndex()), false);
    }
}
