#include "visa-sim/visa/sim_world.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "visa-sim/model/text_util.h"

namespace tgqsim {

namespace {

// The configuration of the environment. A file that cannot be read or holds a
// bad line leaves an empty mainframe whose resource manager fails to open.
MainframeConfig EnvironmentConfig() {
  const char* path = std::getenv("TGQ_SIM_CONFIG");
  if (!path || !*path) return ParseMainframeConfig(DefaultMainframeText()).config;
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  MainframeConfig broken;
  broken.rmStatus = VI_ERROR_SYSTEM_ERROR;
  if (!file) {
    std::fprintf(stderr, "visa-sim: cannot read TGQ_SIM_CONFIG file %s\n", path);
    return broken;
  }
  ConfigResult result = ParseMainframeConfig(text.str());
  if (result.badLine) {
    std::fprintf(stderr, "visa-sim: %s line %d: %s\n", path, result.badLine, result.problem.c_str());
    return broken;
  }
  return result.config;
}

}  // namespace

SimWorld& SimWorld::Instance() {
  static SimWorld world;
  return world;
}

void SimWorld::EnsureLoaded() {
  if (!loaded_) Install(EnvironmentConfig());
}

const MainframeConfig& SimWorld::Mainframe() {
  EnsureLoaded();
  return config_;
}

std::vector<SimResource>& SimWorld::Resources() {
  EnsureLoaded();
  return resources_;
}

std::optional<size_t> SimWorld::IndexOf(std::string_view name) {
  std::vector<SimResource>& resources = Resources();
  for (size_t i = 0; i < resources.size(); ++i)
    if (EqualsIgnoringCase(resources[i].Name(), name)) return i;
  return std::nullopt;
}

void SimWorld::Install(MainframeConfig config) {
  objects_.Clear();
  traffic_.Clear();
  resources_.clear();
  for (const ResourceConfig& resource : config.resources) resources_.emplace_back(resource);
  config_ = std::move(config);
  loaded_ = true;
}

int SimWorld::Configure(std::string_view text) {
  ConfigResult result = ParseMainframeConfig(text);
  if (result.badLine) return result.badLine;
  Install(std::move(result.config));
  return 0;
}

void SimWorld::Reload() { Install(EnvironmentConfig()); }

}  // namespace tgqsim
