// The network simulator's command line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tgqnet {

struct NetOptions {
  std::string bindAddress = "127.0.0.1";
  uint16_t port = 5025;
  std::string configFile;  // empty: TGQ_SIM_CONFIG, else the built-in mainframe
  std::string resource;    // empty: the first Q3207 of the mainframe
  int maxClients = 4;
  size_t maxMessage = 65536;
  int idleSeconds = 600;
  int lifetimeSeconds = 0;  // 0: until stopped
  // The VXI-11 server beside the raw socket. On unless --no-vxi11; when the
  // port mapper's port cannot be taken it is left out with a warning, unless
  // --vxi11 asked for it.
  bool vxi11 = true;
  bool vxi11Required = false;
  uint16_t portmapPort = 111;
  bool powerOn = false;     // the power-on event set, as a module just switched on
};

struct OptionsResult {
  std::optional<NetOptions> options;
  std::string problem;  // when options is empty; "" for --help
};

OptionsResult ParseNetOptions(const std::vector<std::string>& args);
const char* NetUsage();

}  // namespace tgqnet
