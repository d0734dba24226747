// Files that tests name through environment variables; nothing is written
// when the variable is unset.
#pragma once

#include <string>

namespace tgqsim {

// Appends the line and a line feed and closes the file again, so that another
// process sees each line at once.
void AppendLineToFileNamedBy(const char* variable, const std::string& line);
// Replaces the whole file with the text.
void RewriteFileNamedBy(const char* variable, const std::string& text);

}  // namespace tgqsim
