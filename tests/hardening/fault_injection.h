// Means of making the live program fail where the simulated mainframe alone
// cannot: a driver library that lacks one entry point, and a live instrument
// opened over it on the simulated Q3207.
#pragma once

#include <memory>
#include <string>

#include "instrument/driver_library.h"

class CInstrument;
class CLoadedDriverLibrary;

// The real driver DLL with one entry point hidden.
class CDriverWithout : public CDriverLibrary {
 public:
  explicit CDriverWithout(std::string hidden);
  ~CDriverWithout() override;
  bool IsLoaded() const { return m_driver != nullptr; }
  void* FindEntryPoint(const char* name) override;

 private:
  std::unique_ptr<CLoadedDriverLibrary> m_driver;
  std::string m_hidden;
};

// A live instrument on the built-in resource through `driver`, opened as
// start-up opens it; null when the session does not open.
CInstrument* OpenLiveInstrument(CDriverLibrary& driver);
