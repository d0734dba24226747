#include "driver/io_trace.h"

#include <cstdio>
#include <cstdlib>

namespace {

void AppendLine(const char* marker, const std::string& text) {
  const char* path = std::getenv("TGQ3207_TRACE");
  if (path == nullptr || *path == '\0') return;
  if (FILE* file = std::fopen(path, "a")) {
    std::fprintf(file, "%s %s\n", marker, text.c_str());
    std::fclose(file);
  }
}

}  // namespace

void TraceCommand(const std::string& text) { AppendLine(">", text); }

void TraceReply(const std::string& text) { AppendLine("<", text); }

ViStatus TraceStatus(const char* call, ViStatus status) {
  if (status < 0) {
    char line[64];
    std::snprintf(line, sizeof line, "%s 0x%08X", call, static_cast<unsigned>(status));
    AppendLine("!", line);
  }
  return status;
}
