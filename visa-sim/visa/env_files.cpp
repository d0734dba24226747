#include "visa-sim/visa/env_files.h"

#include <cstdio>
#include <cstdlib>

namespace tgqsim {

namespace {

void WriteFileNamedBy(const char* variable, const char* mode, const std::string& text) {
  const char* path = std::getenv(variable);
  if (!path || !*path) return;
  if (std::FILE* file = std::fopen(path, mode)) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}

}  // namespace

void AppendLineToFileNamedBy(const char* variable, const std::string& line) {
  WriteFileNamedBy(variable, "ab", line + "\n");
}

void RewriteFileNamedBy(const char* variable, const std::string& text) {
  WriteFileNamedBy(variable, "wb", text);
}

}  // namespace tgqsim
