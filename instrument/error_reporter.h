// The one function through which every handler tells the operator why an
// instrument operation failed.
#pragma once

#include <cstdint>

void ReportInstrumentError(int32_t status);
