#include "tests/live/live_road.h"

namespace {
std::string Line(const char* event, const std::string& text) {
  return std::string(event) + " " + kSimulatedResource + (text.empty() ? "" : " " + text);
}
}  // namespace

std::string Write(const std::string& text) { return Line("write", text); }
std::string Read(const std::string& text) { return Line("read", text); }
std::string TimeOut(const std::string& text) { return Line("timeout", text); }
std::string StatusByte(int value) { return Line("stb", std::to_string(value)); }
std::string Event(const char* event) { return Line(event, ""); }

std::string BuiltInMainframeWith(const std::string& extraConfig) {
  return kSimulatedQ3207 + extraConfig;
}

CLiveRoad::CLiveRoad(const std::string& extraConfig, const std::string& commandLine)
    : mainframe(BuiltInMainframeWith(extraConfig).c_str()), m_commandLine(commandLine) {}

void CLiveRoad::SetUp() {
  ASSERT_TRUE(StartLive(app, m_commandLine));
  panel = app.Panel();
  ASSERT_NE(panel, nullptr);
  startTraffic = mainframe.TakeTraffic();
}
