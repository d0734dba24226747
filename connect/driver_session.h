// Opening the instrument's driver session at start-up.
#pragma once

#include <optional>
#include <string>

#include "instrument/driver_library.h"
#include "visa.h"

// tgq3207_init on `name` without the identification query, with the reset as
// asked; then the I/O time-out of 5000 ms and error-query detection on, whose
// results do not matter. None unless tgq3207_init returns exactly VI_SUCCESS
// (a warning counts as failure) or when the library lacks one of the three
// entry points.
std::optional<ViSession> OpenDriverSession(CDriverLibrary& driver, const std::string& name,
                                           bool reset);
