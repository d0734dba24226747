#include "tests/hardening/fault_injection.h"

#include <optional>

#include "connect/driver_session.h"
#include "connect/loaded_driver_library.h"
#include "instrument/live_instrument.h"
#include "tests/support/simulated_mainframe.h"

CDriverWithout::CDriverWithout(std::string hidden)
    : m_driver(CLoadedDriverLibrary::Load()), m_hidden(std::move(hidden)) {}

CDriverWithout::~CDriverWithout() = default;

void* CDriverWithout::FindEntryPoint(const char* name) {
  if (m_driver == nullptr || m_hidden == name) return nullptr;
  return m_driver->FindEntryPoint(name);
}

CInstrument* OpenLiveInstrument(CDriverLibrary& driver) {
  std::optional<ViSession> session = OpenDriverSession(driver, kSimulatedResource, false);
  if (!session) return nullptr;
  return new CLiveInstrument(*session, &driver);
}
