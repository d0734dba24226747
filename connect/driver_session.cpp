#include "connect/driver_session.h"

#include "connect/loaded_driver_library.h"
#include "tgq3207.h"

namespace {
const ViInt32 kTimeOutMs = 5000;

// The driver's entry points, bound by the names of its lists; each null when
// the library lacks it.
struct CDriverEntryPoints {
#define SFP_ENTRY_POINTER(name, type) type name = nullptr;
  TGQ3207_ENTRY_POINTS(SFP_ENTRY_POINTER)
#undef SFP_ENTRY_POINTER

  explicit CDriverEntryPoints(CDriverLibrary& driver) {
#define SFP_BIND_ENTRY_POINT(name, type) name = EntryPoint<type>(driver, #name);
    TGQ3207_ENTRY_POINTS(SFP_BIND_ENTRY_POINT)
#undef SFP_BIND_ENTRY_POINT
  }

  bool CanOpenASession() const {
#define SFP_FOUND(name, type) &&name != nullptr
    return true TGQ3207_SESSION_ENTRY_POINTS(SFP_FOUND);
#undef SFP_FOUND
  }
};
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
