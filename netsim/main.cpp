// tgqnetsim: the simulated Q3207 on the network, as a raw SCPI socket.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "netsim/net_instrument.h"
#include "netsim/net_options.h"
#include "netsim/net_server.h"
#include "netsim/vxi11_server.h"
#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/model/text_util.h"

namespace {

using tgqsim::MainframeConfig;
using tgqsim::ResourceConfig;

// Each VXI-11 client holds a core and perhaps an abort connection.
constexpr int kMaxVxi11Connections = 64;

// The mainframe of the file named on the command line or by TGQ_SIM_CONFIG,
// else the built-in one; empty with the reason on stderr when it is bad.
std::optional<MainframeConfig> LoadMainframe(std::string path) {
  if (path.empty() && std::getenv("TGQ_SIM_CONFIG")) path = std::getenv("TGQ_SIM_CONFIG");
  std::string text = tgqsim::DefaultMainframeText();
  if (!path.empty()) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    if (!file) {
      std::fprintf(stderr, "tgqnetsim: cannot read %s\n", path.c_str());
      return std::nullopt;
    }
    text = contents.str();
  }
  tgqsim::ConfigResult result = tgqsim::ParseMainframeConfig(text);
  if (result.badLine) {
    std::fprintf(stderr, "tgqnetsim: %s line %d: %s\n", path.c_str(), result.badLine,
                 result.problem.c_str());
    return std::nullopt;
  }
  return result.config;
}

// The VXI-11 server on a thread of its own, when the options ask for it and
// its ports can be had; false when it was required and cannot start.
bool StartVxi11(const tgqnet::NetOptions& options, std::optional<tgqnet::Vxi11Server>& server,
                std::thread& thread) {
  if (!options.vxi11) {
    server.reset();
    return true;
  }
  if (server->Start()) {
    thread = std::thread([&server] { server->Run(); });
    return true;
  }
  server.reset();
  if (options.vxi11Required) return false;
  std::fprintf(stderr, "tgqnetsim: VXI-11 left out; --portmap-port N serves it without root\n");
  return true;
}

// The resource of that name, or the first Q3207 when no name is given.
const ResourceConfig* ChooseResource(const MainframeConfig& mainframe, const std::string& name) {
  for (const ResourceConfig& r : mainframe.resources) {
    bool chosen = name.empty() ? r.device == tgqsim::DeviceKind::kQ3207
                               : tgqsim::EqualsIgnoringCase(r.name, name);
    if (chosen) return &r;
  }
  return nullptr;
}

tgqnet::NetServer* g_server = nullptr;

// SIGUSR1 drops every connection, as a pulled cable; the server goes on.
void DropConnectionsOnSignal(tgqnet::NetServer& server) {
#ifdef SIGUSR1
  g_server = &server;
  std::signal(SIGUSR1, [](int) { g_server->DropAllClients(); });
#else
  (void)server;
#endif
}

}  // namespace

int main(int argc, char** argv) {
  tgqnet::OptionsResult parsed = tgqnet::ParseNetOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) {
    if (!parsed.problem.empty()) std::fprintf(stderr, "tgqnetsim: %s\n", parsed.problem.c_str());
    std::fputs(tgqnet::NetUsage(), parsed.problem.empty() ? stdout : stderr);
    return parsed.problem.empty() ? 0 : 2;
  }
  const tgqnet::NetOptions& options = *parsed.options;
  std::optional<MainframeConfig> mainframe = LoadMainframe(options.configFile);
  if (!mainframe) return 2;
  const ResourceConfig* resource = ChooseResource(*mainframe, options.resource);
  if (!resource) {
    std::fprintf(stderr, "tgqnetsim: the mainframe holds no %s\n",
                 options.resource.empty() ? "Q3207" : options.resource.c_str());
    return 2;
  }
  tgqnet::NetInstrument instrument(*resource);
  if (options.powerOn) instrument.PowerOn();
  std::mutex output;
  auto log = [&output](const std::string& line) {
    std::lock_guard<std::mutex> lock(output);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);  // read line by line by whoever started the server
  };
  tgqnet::NetServer server(options, instrument, log);
  if (!server.Start()) return 1;
  std::optional<tgqnet::Vxi11Server> vxi11;
  vxi11.emplace(tgqnet::Vxi11Options{options.bindAddress, options.portmapPort, options.maxMessage,
                                     kMaxVxi11Connections},
                instrument, log);
  std::thread vxi11Thread;
  if (!StartVxi11(options, vxi11, vxi11Thread)) return 1;
  DropConnectionsOnSignal(server);
  server.Run();
  if (vxi11) vxi11->Stop();
  if (vxi11Thread.joinable()) vxi11Thread.join();
  return 0;
}
