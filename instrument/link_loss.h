// When a driver call's status means that the link to the instrument is gone,
// as against an instrument that failed one operation. A time-out alone never
// counts: a VXI module that only stops answering is left to the operator.
#pragma once

#include <cstdint>
#include <string>

enum class EResourceKind { kVxi, kGpibVxi, kGpib, kLan, kOther };

// The kind of the resource from its interface type, or from its name when the
// type is unknown (0).
EResourceKind ResourceKindOf(const std::string& rsrcName, uint16_t intfType);

// True when `status`, returned by a driver call on a resource of `kind`,
// says that the link is lost.
bool IsLinkLost(int32_t status, EResourceKind kind);
