#include "connect/driver_session.h"

#include "connect/loaded_driver_library.h"
#include "tgq3207.h"

namespace {
const ViInt32 kTimeOutMs = 5000;
}  // namespace

std::optional<ViSession> OpenDriverSession(CDriverLibrary& driver, const std::string& name,
                                           bool reset) {
  auto init = EntryPoint<tgq3207_init_fn>(driver, "tgq3207_init");
  auto timeOut = EntryPoint<tgq3207_timeOut_fn>(driver, "tgq3207_timeOut");
  auto errorQueryDetect =
      EntryPoint<tgq3207_errorQueryDetect_fn>(driver, "tgq3207_errorQueryDetect");
  if (init == nullptr || timeOut == nullptr || errorQueryDetect == nullptr) return std::nullopt;
  std::string resourceName = name;
  ViSession session = VI_NULL;
  ViStatus status = init(resourceName.data(), VI_FALSE, reset ? VI_TRUE : VI_FALSE, &session);
  if (status != VI_SUCCESS) {
    // A warning still opened a session, which nothing would ever close.
    auto close = EntryPoint<tgq3207_session_fn>(driver, "tgq3207_close");
    if (status > VI_SUCCESS && session != VI_NULL && close != nullptr) close(session);
    return std::nullopt;
  }
  timeOut(session, kTimeOutMs);
  errorQueryDetect(session, VI_TRUE);
  return session;
}
