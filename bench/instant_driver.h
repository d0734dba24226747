// A driver library that answers at once, without any I/O: each real setting
// reads back the last value sent for its header, every other query answers
// zero or an empty text. It measures what the program itself spends on a call.
#pragma once

#include "instrument/driver_library.h"

class CInstantDriver : public CDriverLibrary {
 public:
  static constexpr unsigned kSession = 1;
  void* FindEntryPoint(const char* name) override;
};
