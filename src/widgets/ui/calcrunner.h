#pragma once
// The program's calculation runner: the calculation works on a thread of its
// own while a modal progress window keeps the program painted and shows how far
// it has come. Messages, questions, file dialogs and outside programs that the
// calculation asks for are shown on the window's thread while the calculation
// waits for the answer; the message channel's lines reach their sink there, in
// the order they were sent.
#include "base/calcrunner.h"

#include <memory>

std::unique_ptr<kv::calc::Runner> MakeQtCalculationRunner();

// Installs it; call after the application object exists.
void InstallQtCalculationRunner();
