// One command of the instrument's command tree: its header and the handlers of
// its command form and its query form (either may be absent).
#pragma once

#include <functional>
#include <string>

#include "scpi/scpi_words.h"
#include "visa-sim/model/parameters.h"

namespace tgqsim {

using scpi::HeaderPattern;

class Q3207Instrument;

using SetHandler = std::function<void(Q3207Instrument&, const Parameters&)>;
using QueryHandler = std::function<std::string(Q3207Instrument&, const Parameters&)>;

struct Command {
  HeaderPattern header;
  SetHandler set;
  QueryHandler query;
};

}  // namespace tgqsim
