// Where a resource sits: its VXI slot and logical address (for a GPIB
// instrument a code made of its GPIB addresses) and its interface type.
#pragma once

#include <string>

#include "connect/visa_library.h"
#include "instrument/app_port.h"

// Opens `name` for the reads and closes it again. Slot and logical address
// are -1 when they cannot be read; the interface type stays `intfTypeSoFar`
// when it cannot be read.
CDiscoveryRecord ReadResourceAddress(const CVisaEntryPoints& visa, ViSession resourceManager,
                                     const std::string& name, uint16_t intfTypeSoFar);
