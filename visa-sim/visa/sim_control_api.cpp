#include "visa-sim/sim_control.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/visa/sim_world.h"

namespace {

using tgqsim::SimWorld;

int CopyOut(const std::string& text, char* buffer, int size) {
  if (buffer && size > 0) {
    size_t copied = std::min(text.size(), static_cast<size_t>(size) - 1);
    std::memcpy(buffer, text.data(), copied);
    buffer[copied] = '\0';
  }
  return static_cast<int>(text.size());
}

tgqsim::SimResource* ResourceNamed(SimWorld& world, const char* rsrc) {
  if (!rsrc) return nullptr;
  std::optional<size_t> index = world.IndexOf(rsrc);
  return index ? &world.Resources()[*index] : nullptr;
}

}  // namespace

extern "C" {

int tgqsim_configure(const char* configText) {
  return tgqsim::WithWorldLocked(-1, [configText](SimWorld& world) {
    return world.Configure(configText ? configText : tgqsim::DefaultMainframeText());
  });
}

int tgqsim_traffic(char* buffer, int size) {
  return tgqsim::WithWorldLocked(-1, [buffer, size](SimWorld& world) {
    return CopyOut(world.Traffic().Text(), buffer, size);
  });
}

void tgqsim_clear_traffic(void) {
  tgqsim::WithWorldLocked(0, [](SimWorld& world) {
    world.Traffic().Clear();
    return 0;
  });
}

int tgqsim_state(const char* rsrc, char* buffer, int size) {
  return tgqsim::WithWorldLocked(-1, [rsrc, buffer, size](SimWorld& world) {
    tgqsim::SimResource* resource = ResourceNamed(world, rsrc);
    std::optional<std::string> state = resource ? resource->StateText() : std::nullopt;
    return state ? CopyOut(*state, buffer, size) : -1;
  });
}

int tgqsim_queue_error(const char* rsrc, int code, const char* message) {
  return tgqsim::WithWorldLocked(-1, [rsrc, code, message](SimWorld& world) {
    tgqsim::SimResource* resource = ResourceNamed(world, rsrc);
    bool queued = resource && resource->Device().QueueError({code, message ? message : ""});
    return queued ? 0 : -1;
  });
}

}  // extern "C"
