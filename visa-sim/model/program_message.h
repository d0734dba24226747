// The syntax of a program message: units separated by ';', each a header
// with its parameters. Relative headers after ';' are resolved against the
// path of the unit before them; a leading ':' starts again at the root.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "visa-sim/model/scpi_error.h"

namespace tgqsim {

enum class ParameterKind { kNumber, kCharacter, kString };

struct Parameter {
  ParameterKind kind;
  double number = 0.0;  // kNumber
  std::string text;     // kCharacter: the word; kString: the contents; kNumber: its suffix
};

struct ProgramUnit {
  std::string header;             // as written, without a leading ':' ("VOLT?", "*IDN?")
  std::vector<std::string> path;  // the mnemonics with the compound prefix, no '?'
  bool query = false;
  std::vector<Parameter> params;
};

struct ParsedMessage {
  std::vector<ProgramUnit> units;  // the units before the first syntax error
  std::optional<ScpiError> error;
};

ParsedMessage ParseProgramMessage(std::string_view message);

// The upper-case headers of the well-formed units, as the fault rules name them.
std::vector<std::string> MessageHeaders(std::string_view message);

}  // namespace tgqsim
