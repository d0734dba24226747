#include "tests/support/simulated_mainframe.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/sfp_app.h"
#include "instrument/instrument.h"
#include "tests/support/app_fixture.h"

const char* const kSimulatedResource = "GPIB-VXI0::24::INSTR";
const char* const kSimulatedQ3207 =
    "resource GPIB-VXI0::24::INSTR\nslot 3\nmanf 0x0FFF\nmodel 0x0244\n";

std::string TrafficLine(const char* event, const std::string& text) {
  return std::string(event) + " " + kSimulatedResource + (text.empty() ? "" : " " + text);
}

namespace {

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  if (function == nullptr) ADD_FAILURE() << "VISA32.DLL does not export " << name;
}

// The text of one of the copy-out control functions, whole however long.
template <typename CopyOut>
std::string FullText(CopyOut copyOut) {
  int length = copyOut(nullptr, 0);
  if (length < 0) return "";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  copyOut(text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

}  // namespace

CSimulatedMainframe::CSimulatedMainframe(const char* config) {
  m_module = ::LoadLibraryA("VISA32.DLL");
  if (m_module == nullptr) {
    ADD_FAILURE() << "VISA32.DLL is not on the search path (WINEPATH should name bin/visa-sim)";
    return;
  }
  Bind(m_module, "tgqsim_configure", m_configure);
  Bind(m_module, "tgqsim_traffic", m_traffic);
  Bind(m_module, "tgqsim_clear_traffic", m_clearTraffic);
  Bind(m_module, "tgqsim_state", m_state);
  Bind(m_module, "tgqsim_queue_error", m_queueError);
  if (IsLoaded()) Configure(config);
}

CSimulatedMainframe::~CSimulatedMainframe() {
  if (IsLoaded()) m_configure(nullptr);
  if (m_module != nullptr) ::FreeLibrary(m_module);
}

bool CSimulatedMainframe::IsLoaded() const {
  return m_configure && m_traffic && m_clearTraffic && m_state && m_queueError;
}

bool CSimulatedMainframe::Configure(const char* config) {
  if (!IsLoaded()) return false;
  int badLine = m_configure(config);
  if (badLine == 0) return true;
  std::vector<std::string> lines = Lines(config != nullptr ? config : "");
  std::string line = badLine > 0 && static_cast<size_t>(badLine) <= lines.size()
                         ? lines[static_cast<size_t>(badLine) - 1]
                         : "";
  ADD_FAILURE() << "simulated mainframe: bad configuration line " << badLine << ": " << line;
  return false;
}

std::vector<std::string> CSimulatedMainframe::Traffic() const {
  if (!IsLoaded()) return {};
  return Lines(FullText([this](char* buffer, int size) { return m_traffic(buffer, size); }));
}

void CSimulatedMainframe::ClearTraffic() {
  if (IsLoaded()) m_clearTraffic();
}

std::vector<std::string> CSimulatedMainframe::TakeTraffic() {
  std::vector<std::string> lines = Traffic();
  ClearTraffic();
  return lines;
}

std::map<std::string, std::string> CSimulatedMainframe::State(const std::string& rsrc) const {
  std::map<std::string, std::string> state;
  if (!IsLoaded()) return state;
  auto copyOut = [this, &rsrc](char* buffer, int size) {
    return m_state(rsrc.c_str(), buffer, size);
  };
  if (copyOut(nullptr, 0) < 0) {
    ADD_FAILURE() << "no simulated Q3207 in " << rsrc;
    return state;
  }
  for (const std::string& line : Lines(FullText(copyOut))) {
    size_t equals = line.find('=');
    if (equals != std::string::npos) state[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return state;
}

std::string CSimulatedMainframe::StateOf(const std::string& key, const std::string& rsrc) const {
  std::map<std::string, std::string> state = State(rsrc);
  auto found = state.find(key);
  if (found != state.end()) return found->second;
  ADD_FAILURE() << "the simulated Q3207 in " << rsrc << " has no state key " << key;
  return "";
}

void CSimulatedMainframe::QueueError(int code, const std::string& message,
                                     const std::string& rsrc) {
  if (IsLoaded() && m_queueError(rsrc.c_str(), code, message.c_str()) != 0)
    ADD_FAILURE() << "cannot queue an error: no simulated Q3207 in " << rsrc;
}

bool StartLive(CAppFixture& app, const std::string& commandLine) {
  app.Start(nullptr, commandLine);
  return theApp.m_pInstrument != nullptr && theApp.m_pInstrument->m_live != 0;
}
