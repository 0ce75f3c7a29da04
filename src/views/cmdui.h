#pragma once
// Command routing between the main frame and its windows: a command id goes to the
// active window's view, then its document, then the window, then the main frame.
// Asked with a CCmdUI, a target that handles the id fills in its state instead of
// running it.
struct CCmdUI {
    bool enabled = true;
    bool checked = false;
};
