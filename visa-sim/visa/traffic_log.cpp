#include "visa-sim/visa/traffic_log.h"

#include "visa-sim/visa/env_files.h"

namespace tgqsim {

void TrafficLog::Record(std::string_view event, std::string_view resource) {
  Add(std::string(event) + " " + std::string(resource));
}

void TrafficLog::Record(std::string_view event, std::string_view resource, std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  Add(std::string(event) + " " + std::string(resource) + " " + std::string(text));
}

void TrafficLog::Add(std::string line) {
  text_ += line + "\n";
  AppendLineToFileNamedBy("TGQ_SIM_TRAFFIC", line);
}

}  // namespace tgqsim
