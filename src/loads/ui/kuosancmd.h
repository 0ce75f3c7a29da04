#pragma once
// 消波: the wave-attenuation command. It starts the outside sizing program
// Dorvex, waits for it and, only when it ran, takes its sizes from the exchange
// file, saves the item, makes the item's report from Dorvex's report, draws the
// sketch and shows both. A program that does not run writes nothing, so a new
// item without a file leaves the project again.
#include <string>

class QWidget;

// The item the command runs for, as the main frame knows it.
struct KuoSanItem {
    std::string title;     // the item's title; a new item's title dialog may change it
    std::string stem;      // "&KV_nnnn"
    bool newItem = false;  // a new item asks for its title, an existing one is read
};

// True when Dorvex ran and the item's files were written.
bool OnKuoSan(QWidget* parent, KuoSanItem& item);
