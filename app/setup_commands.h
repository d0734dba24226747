// System > Save Setup... and Recall Setup...: the instrument's whole setting
// kept in a setup file and applied again, each setting through the instrument
// interface as a panel sends it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct CSetupStep;

// The Save and Open dialogs; false when the operator cancels.
bool ChooseSetupFile(HWND owner, bool save, std::string& path);

// Reads every setting back from the instrument (Sync), then writes the file.
// A failed Sync writes nothing; a file that cannot be written leaves the old
// one as it was and says why in a box. True when the file was written.
bool SaveSetupTo(const std::string& path, const std::function<void()>& refreshPanel);

// Checks the whole file before anything is sent; a bad file is refused in a
// box that names its line. Then applies the settings in recall order, stops at
// the first one that fails, reads the instrument back (Sync) and refreshes the
// panel; a stopped recall ends in a box that names its line.
void RecallSetupFrom(const std::string& path, const std::function<void()>& refreshPanel);

// Sends the steps in their order, each as a panel sends it, stops at the first
// that fails (its box shown), then reads the instrument back (one Sync) and
// refreshes the panel. True when every step was taken.
bool RecallSteps(const std::vector<CSetupStep>& steps, const std::function<void()>& refreshPanel);
