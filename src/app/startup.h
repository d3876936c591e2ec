#pragma once

#include <memory>

class QApplication;
class TDmod;
class ProgramFolders;

// Before QApplication: on an X display (XWayland included) use the xcb platform, where
// windows can be placed where they were last time.
void preferXcbPlatform();

// Creates the data module and runs its start-up (folders, long-lived tables). A failure
// is shown as a message and the remaining steps are skipped; the data module is
// returned either way, so the program still runs.
std::unique_ptr<TDmod> createDataModule(const ProgramFolders& folders);

// The whole run: title, single-instance check, data module, main window. Returns the
// exit code.
int runVelmora(QApplication& app);
