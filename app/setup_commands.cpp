#include "app/setup_commands.h"

#include <cstdio>

#include "app/sfp_app.h"
#include "framework/win32/file_dialog.h"
#include "framework/win32/wait_cursor.h"
#include "framework/win32/whole_file.h"
#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "instrument/setup_file.h"
#include "panels/guarded_call.h"
#include "res/resource.h"

namespace {


std::string UtcNow() {
  SYSTEMTIME now;
  ::GetSystemTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                now.wMinute, now.wSecond);
  return text;
}

CSetupOrigin Origin() {
  CInstrument& instrument = TheInstrument();
  return {UtcNow(), SFP_VERSION, instrument.m_live ? instrument.GetAddress() : std::string()};
}

// Sends each step in a guard, stopping at the first that fails, then one Sync
// and the panel refreshed. The step that failed, or null.
const CSetupStep* SendSteps(const std::vector<CSetupStep>& steps, const std::function<void()>& refreshPanel) {
  const CSetupStep* stopped = nullptr;
  CWaitCursor wait;
  for (const CSetupStep& step : steps) {
    if (!Guarded([&step] { step.m_row->m_set(TheInstrument(), step.m_value); })) {
      stopped = &step;
      break;
    }
  }
  Guarded([] { TheInstrument().Sync(); });
  refreshPanel();
  return stopped;
}

}  // namespace

bool RecallSteps(const std::vector<CSetupStep>& steps, const std::function<void()>& refreshPanel) {
  return SendSteps(steps, refreshPanel) == nullptr;
}

bool ChooseSetupFile(HWND owner, bool save, std::string& path) {
  return ChooseFile(owner, save ? EFileDialog::kSave : EFileDialog::kOpen,
                    save ? LoadText(IDS_SAVE_SETUP_TITLE) : LoadText(IDS_RECALL_SETUP_TITLE), LoadText(IDS_SETUP_FILTER),
                    "scpi", path);
}

bool SaveSetupTo(const std::string& path, const std::function<void()>& refreshPanel) {
  {
    CWaitCursor wait;
    if (!Guarded([] { TheInstrument().Sync(); })) return false;
    refreshPanel();
  }
  std::string reason;
  if (WriteWholeFile(path, WriteSetup(TheInstrument(), Origin()), reason)) return true;
  StandardMessageBox(LoadFormatted(IDS_SETUP_NOT_SAVED, path, reason));
  return false;
}

void RecallSetupFrom(const std::string& path, const std::function<void()>& refreshPanel) {
  std::string bytes, reason;
  if (!ReadFileStart(path, kMaxSetupFileSize + 1, bytes, reason)) {
    StandardMessageBox(LoadFormatted(IDS_SETUP_NOT_READ, path, reason));
    return;
  }
  CSetupReading reading = ReadSetup(bytes);
  if (!reading.Ok()) {
    StandardMessageBox(RefusalText(reading));
    return;
  }
  const CSetupStep* stopped = SendSteps(reading.m_steps, refreshPanel);
  if (stopped != nullptr)
    StandardMessageBox(LoadFormatted(IDS_RECALL_STOPPED, std::to_string(stopped->m_line),
                                 SettingCommand(*stopped->m_row, stopped->m_value)));
}
