#include "netsim/net_options.h"

#include <cstdlib>

namespace tgqnet {

namespace {

struct BadOption {
  std::string problem;
};

long long Number(const std::string& option, const std::string& text, long long min, long long max) {
  char* end = nullptr;
  long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < min || value > max)
    throw BadOption{option + " takes a number from " + std::to_string(min) + " to " +
                    std::to_string(max)};
  return value;
}

// The VXI-11 server's options; false when `option` is none of them.
bool ParseVxi11Option(const std::vector<std::string>& args, size_t& i, NetOptions& o) {
  const std::string& option = args[i];
  if (option == "--vxi11" || option == "--no-vxi11") {
    o.vxi11 = o.vxi11Required = option == "--vxi11";
    return true;
  }
  if (option != "--portmap-port" || i + 1 == args.size()) return false;
  o.portmapPort = static_cast<uint16_t>(Number(option, args[++i], 0, 65535));
  return true;
}

}  // namespace

const char* NetUsage() {
  return "usage: tgqnetsim [--port N] [--bind ADDRESS] [--config FILE] [--resource NAME]\n"
         "                 [--max-clients N] [--max-message BYTES] [--idle SECONDS]\n"
         "                 [--lifetime SECONDS] [--vxi11 | --no-vxi11] [--portmap-port N]\n"
         "                 [--power-on]\n"
         "Serves the simulated mainframe's Q3207 as a raw SCPI socket (messages and\n"
         "replies end in a line feed) and as the VXI-11 instrument inst0. Defaults:\n"
         "port 5025, bound to 127.0.0.1, the mainframe of TGQ_SIM_CONFIG or the\n"
         "built-in one, its first Q3207, 4 clients, 65536-byte messages, 600 s idle,\n"
         "no lifetime limit, VXI-11 with the port mapper on 111 (left out with a\n"
         "warning when 111 cannot be taken, unless --vxi11 is given). --power-on:\n"
         "*ESR? reports the power-on event (128) once. SIGUSR1 drops every client's\n"
         "connection.\n";
}

OptionsResult ParseNetOptions(const std::vector<std::string>& args) {
  NetOptions o;
  try {
    for (size_t i = 0; i < args.size(); ++i) {
      const std::string& option = args[i];
      if (option == "--help" || option == "-h") return {std::nullopt, ""};
      if (ParseVxi11Option(args, i, o)) continue;
      if (option == "--power-on") {
        o.powerOn = true;
        continue;
      }
      if (i + 1 == args.size()) throw BadOption{"unknown option or missing value: " + option};
      const std::string& value = args[++i];
      if (option == "--port")
        o.port = static_cast<uint16_t>(Number(option, value, 0, 65535));
      else if (option == "--bind")
        o.bindAddress = value;
      else if (option == "--config")
        o.configFile = value;
      else if (option == "--resource")
        o.resource = value;
      else if (option == "--max-clients")
        o.maxClients = static_cast<int>(Number(option, value, 1, 64));
      else if (option == "--max-message")
        o.maxMessage = static_cast<size_t>(Number(option, value, 16, 16 << 20));
      else if (option == "--idle")
        o.idleSeconds = static_cast<int>(Number(option, value, 1, 86400));
      else if (option == "--lifetime")
        o.lifetimeSeconds = static_cast<int>(Number(option, value, 0, 7 * 86400));
      else
        throw BadOption{"unknown option " + option};
    }
  } catch (const BadOption& bad) {
    return {std::nullopt, bad.problem};
  }
  return {o, ""};
}

}  // namespace tgqnet
