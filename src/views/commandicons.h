#pragma once
// Toolbar pictures and short names of the commands, drawn in code so that they stay
// sharp at every screen scale.
#include <QIcon>
#include <QString>

QIcon CommandIcon(int id);
// The button's tooltip: what the command does, in a few words.
QString CommandLabel(int id);
