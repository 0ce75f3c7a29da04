#include "members/slabwall/ui/edgecombos.h"

#include "codes/ui/bmpcombobox.h"

#include <QWidget>

namespace kv::slabwall::ui {

void UpdateEdgeCombos(CBmpComboBox* const combos[4], int edgeType[4], int theory, QWidget* fixityEdit,
                      QWidget* fixityLabel) {
    if (theory == 1) {
        fixityEdit->hide();
        fixityLabel->hide();
        for (int i = 0; i < 4; ++i) {
            CBmpComboBox* c = combos[i];
            if (c->count() == 0) {
                c->AddBmp(IDB_JIANZHI);
                c->AddBmp(IDB_GUDING);
            } else if (c->count() == 3) {
                // Plastic theory knows no elastic edge: it becomes fixed.
                if (c->currentIndex() == 2) {
                    c->setCurrentIndex(1);
                    edgeType[i] = 1;
                }
                c->removeItem(2);
            }
        }
        return;
    }
    bool anyElastic = false;
    for (int i = 0; i < 4; ++i) anyElastic = anyElastic || edgeType[i] == 2;
    fixityEdit->setVisible(anyElastic);
    fixityLabel->setVisible(anyElastic);
    for (int i = 0; i < 4; ++i) {
        CBmpComboBox* c = combos[i];
        if (c->count() == 0) {
            c->AddBmp(IDB_JIANZHI);
            c->AddBmp(IDB_GUDING);
            c->AddBmp(IDB_TANXING);
        } else if (c->count() == 2) {
            c->AddBmp(IDB_TANXING);
        }
    }
}

void SelectEdgeCombos(CBmpComboBox* const combos[4], const int edgeType[4]) {
    for (int i = 0; i < 4; ++i)
        combos[i]->setCurrentIndex(edgeType[i] >= 0 && edgeType[i] < combos[i]->count() ? edgeType[i] : -1);
}

}  // namespace kv::slabwall::ui
