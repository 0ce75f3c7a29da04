#pragma once
// The notice a data-file reader gives when a file of an older code edition is read
// under GB 50010-2010: that edition has no HPB235, its plain round bar is HPB300.

// After reading bar grade `barGrade` from a file of code edition `fileEdition`:
// when the file's edition differs from the one in force (G_guifan), the one in
// force is 2010 and the grade is 1 (HPB235), clears the message window and says
// the bar becomes HPB300. Changes no value; the reader keeps grade 1, which is
// HPB300 under 2010.
void AdjustHpb235(int fileEdition, int barGrade);
