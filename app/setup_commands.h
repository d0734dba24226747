// System > Save Setup... and Recall Setup...: the instrument's whole setting
// kept in a setup file and applied again, each setting through the instrument
// interface as a panel sends it. Paths are UTF-8.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct CSetupStep;

// The Save and Open dialogs; false when the operator cancels.
bool ChooseSetupFile(HWND owner, bool save, std::string& path);

// Reads every setting back from the instrument (Sync), then writes the file.
// A failed Sync writes nothing and says so after the failure's own box; a file
// that cannot be written leaves the old one as it was and says why in a box.
// True when the file was written.
bool SaveSetupTo(const std::string& path, const std::function<void()>& refreshPanel);

// Reads only a file on a disk. Checks the whole file, and the settings it
// leads to against the limits settings put on each other, before anything is
// sent; a bad file is refused in a box that names its line. Then sends the
// settings in an order the instrument takes from its present state (see
// instrument/recall_plan.h), stops at the first one that fails, reads the
// instrument back (Sync) and refreshes the panel; a stopped recall ends in a
// box that names what was refused, what was applied and what was not.
void RecallSetupFrom(const std::string& path, const std::function<void()>& refreshPanel);

// Sends the settings of `steps` as a recall of a file that held them does:
// checked, in an order the instrument takes from the remembered state, then
// one Sync and the panel refreshed. True when every step was taken.
bool RecallSteps(const std::vector<CSetupStep>& steps, const std::function<void()>& refreshPanel);
