#include "app/setup_commands.h"

#include <cstdio>

#include "app/file_choice.h"
#include "app/sfp_app.h"
#include "framework/win32/wait_cursor.h"
#include "framework/win32/whole_file.h"
#include "instrument/instrument.h"
#include "instrument/recall_plan.h"
#include "instrument/setting_text.h"
#include "panels/try_or_report.h"
#include "res/resource.h"
#include "scpi/scpi_words.h"

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
  CInstrument& instrument = Instrument();
  return {UtcNow(), SFP_VERSION, instrument.m_live ? instrument.GetAddress() : std::string()};
}

// "FUNC:USER, AM:STAT, FREQ", or "nothing".
std::string Headers(std::vector<CSetupStep>::const_iterator from, std::vector<CSetupStep>::const_iterator to) {
  std::string names;
  for (; from != to; ++from) names += (names.empty() ? "" : ", ") + scpi::HeaderPattern(from->m_row->m_spelling).ShortForm();
  return names.empty() ? "nothing" : names;
}

// "line 3, FREQ 5000", or "VOLT:OFFS 0, which the recall sends to make room".
std::string Refused(const CSetupStep& step) {
  std::string command = SettingCommand(*step.m_row, step.m_value);
  if (step.m_line == 0) return command + ", which the recall sends to make room for the amplitude";
  return "line " + std::to_string(step.m_line) + ", " + command;
}

// True when every step was taken.
bool Recall(const CSetupReading& reading, const std::function<void()>& refreshPanel) {
  CRecallPlan plan = PlanRecall(reading, RememberedValues(Instrument()));
  if (!plan.Ok()) {
    StandardMessageBox(RefusalText(plan.m_errorLine, plan.m_error));
    return false;
  }
  const std::vector<CSetupStep>& steps = plan.m_steps;
  size_t taken = 0, notTaken = 0;
  std::string refused;
  {
    CWaitCursor wait;
    bool resetRefused = plan.m_reset && !TryOrReport([] { Instrument().Reset(); });
    if (resetRefused) refused = "line " + std::to_string(reading.m_resetLine) + ", *RST";
    for (; refused.empty() && taken < steps.size(); ++taken) {
      const CSetupStep& step = steps[taken];
      if (!TryOrReport([&step] { Instrument().SetSetting(*step.m_row, step.m_value); })) {
        refused = Refused(step);
        notTaken = taken + 1;
        break;
      }
    }
    TryOrReport([] { Instrument().Sync(); });
    refreshPanel();
  }
  if (refused.empty()) return true;
  StandardMessageBox(LoadFormatted(IDS_RECALL_STOPPED, refused, Headers(steps.cbegin(), steps.cbegin() + taken),
                                   Headers(steps.cbegin() + notTaken, steps.cend())));
  return false;
}

}  // namespace

bool RecallSteps(const std::vector<CSetupStep>& steps, const std::function<void()>& refreshPanel) {
  return Recall(ReadingOf(steps), refreshPanel);
}

bool ChooseSetupFile(HWND owner, bool save, std::string& path) {
  return ChooseFileFor(owner, save ? EFileDialog::kSave : EFileDialog::kOpen,
                       save ? IDS_SAVE_SETUP_TITLE : IDS_RECALL_SETUP_TITLE, IDS_SETUP_FILTER, "scpi", path);
}

bool SaveSetupTo(const std::string& path, const std::function<void()>& refreshPanel) {
  bool read;
  {
    CWaitCursor wait;
    read = TryOrReport([] { Instrument().Sync(); });
    if (read) refreshPanel();
  }
  if (!read) {
    StandardMessageBox(LoadFormatted(FileExists(path) ? IDS_SETUP_UNREAD_KEPT : IDS_SETUP_UNREAD_NOT_WRITTEN, path));
    return false;
  }
  std::string reason;
  if (WriteWholeFile(path, WriteSetup(Instrument(), Origin()), reason)) return true;
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
    StandardMessageBox(RefusalText(reading.m_errorLine, reading.m_error));
    return;
  }
  Recall(reading, refreshPanel);
}
