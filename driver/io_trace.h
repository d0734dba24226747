// The optional I/O trace: with TGQ3207_TRACE=<file> in the environment every
// command, reply and failing VISA status is appended to that file.
#pragma once

#include <string>

#include "visa.h"

void TraceCommand(const std::string& text);
void TraceReply(const std::string& text);
// Traces `status` when it is a failure; returns it unchanged.
ViStatus TraceStatus(const char* call, ViStatus status);
