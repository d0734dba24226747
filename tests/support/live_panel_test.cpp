#include "tests/support/live_panel_test.h"

void CLivePanelTest::Open(UINT panelCommand) {
  ASSERT_TRUE(StartLive(app));
  app.Command(panelCommand);
  PumpMessages();
  panel = app.Panel();
  ASSERT_NE(panel, nullptr);
  mainframe.ClearTraffic();
}

std::vector<std::string> SetAndReadBack(const std::string& set, const std::string& query,
                                        const std::string& reply) {
  return {TrafficLine("write", set), TrafficLine("stb", "0"), TrafficLine("write", query), TrafficLine("read", reply),
          TrafficLine("stb", "0")};
}

std::vector<std::string> CLivePanelTest::TakeWrites() {
  const std::string prefix = TrafficLine("write", "");
  std::vector<std::string> writes;
  for (const std::string& line : mainframe.TakeTraffic())
    if (line.rfind(prefix + " ", 0) == 0) writes.push_back(line.substr(prefix.size() + 1));
  return writes;
}
