#include "instrument/tests/recording_port.h"

#include "instrument/app_port.h"

namespace {
struct StringEntry {
  unsigned id;
  const char* text;
};
const StringEntry kStrings[] = {
#define SFP_STRING(id, name, text) {id, text},
#include "res/strings.inc"
#undef SFP_STRING
};
CAppPort* g_current = nullptr;
}  // namespace

std::string ProgramString(unsigned id) {
  for (const StringEntry& e : kStrings)
    if (e.id == id) return e.text;
  return "";
}

CRecordingPort::CRecordingPort() : m_previous(g_current) {
  g_current = this;
  SetAppPort(this);
}

CRecordingPort::~CRecordingPort() {
  g_current = m_previous;
  SetAppPort(m_previous);
}

std::string CRecordingPort::LoadText(unsigned id) { return ProgramString(id); }

void CRecordingPort::ShowMessage(const std::string& text) {
  m_events.push_back("box:" + text);
  m_boxes.push_back(text);
}

void CRecordingPort::Beep() { m_events.push_back("beep"); }
void CRecordingPort::StopErrorTimer() { m_events.push_back("timer:stop"); }
void CRecordingPort::StartErrorTimer(unsigned periodMs) {
  m_events.push_back("timer:start:" + std::to_string(periodMs));
}
