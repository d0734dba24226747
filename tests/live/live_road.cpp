#include "tests/live/live_road.h"

std::string Write(const std::string& text) { return TrafficLine("write", text); }
std::string Read(const std::string& text) { return TrafficLine("read", text); }
std::string TimeOut(const std::string& text) { return TrafficLine("timeout", text); }
std::string StatusByte(int value) { return TrafficLine("stb", std::to_string(value)); }
std::string Event(const char* event) { return TrafficLine(event, ""); }

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
