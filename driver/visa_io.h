// Line-oriented message I/O over a VISA session: every message ends in a line
// feed.
#pragma once

#include <string>

#include "visa.h"

// Longest reply accepted; a longer one fails with kStatusInvalidResponse.
constexpr size_t kMaxReplyLength = 4096;

// Sends `text` followed by a line feed.
ViStatus WriteLine(ViSession vi, const std::string& text);
// Reads one reply up to its line feed, which is stripped (with a carriage
// return before it).
ViStatus ReadLine(ViSession vi, std::string& reply);
// WriteLine of the query, then ReadLine.
ViStatus QueryLine(ViSession vi, const std::string& query, std::string& reply);
// The status byte by serial poll, or by "*STB?" where the interface has no
// serial poll (a raw socket).
ViStatus ReadStatusByte(ViSession vi, ViUInt16& statusByte);
