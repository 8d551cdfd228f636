#pragma once
// The windows the program entry makes before the message loop runs, each owned by the
// application, in this order: the main window (whose creation handler runs the start-up
// before any other window exists), the entry form, the message list, the progress
// windows and the code-menu holder, then the dialogs the main window's actions show:
// check, summary, query list, locate, about, indicator picker, list export, indicator
// query and code-range search. The question dialog is not among them: every question
// makes its own.
//
// After a failed start (the main window requested the end of the program) nothing more
// is made.

namespace fw {

class TApplication;

void CreateStartupWindows(TApplication& application);

} // namespace fw
