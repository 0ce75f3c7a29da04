#pragma once
// The roof and floor slab modules in the program: their commands run the slab
// dialog on the roof or the floor slab's data.

// Gives the two slab objects their kinds and installs the commands 顶板 (32809)
// and 底板 (32846).
void InstallSlabCommands();
