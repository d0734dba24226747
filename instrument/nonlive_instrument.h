// The in-memory instrument used when no instrument could be opened: it keeps
// every setting, sends nothing and never fails.
#pragma once

#include "instrument/instrument.h"

class CNonLiveInstrument : public CInstrument {
 public:
  CNonLiveInstrument();
  void Reset() override;
  void SelfTest(std::string& text) override;
};
