#include "connect/driver_session.h"

#include "instrument/driver_library.h"
#include "tgq3207.h"

namespace {
const ViInt32 kTimeOutMs = 5000;
}  // namespace

std::optional<ViSession> OpenDriverSession(CDriverLibrary& driver, const std::string& name,
                                           bool reset) {
  const CDriverEntryPoints entry(driver);
  if (!entry.CanOpenASession()) return std::nullopt;
  std::string resourceName = name;
  ViSession session = VI_NULL;
  ViStatus status =
      entry.tgq3207_init(resourceName.data(), VI_FALSE, reset ? VI_TRUE : VI_FALSE, &session);
  if (status != VI_SUCCESS) {
    // A warning still opened a session, which nothing would ever close.
    if (status > VI_SUCCESS && session != VI_NULL && entry.tgq3207_close != nullptr)
      entry.tgq3207_close(session);
    return std::nullopt;
  }
  entry.tgq3207_timeOut(session, kTimeOutMs);
  entry.tgq3207_errorQueryDetect(session, VI_TRUE);
  return session;
}
