// The Q3207 command set.
#pragma once

#include <vector>

#include "visa-sim/model/command.h"

namespace tgqsim {

const std::vector<Command>& Q3207Commands();

// Its two halves: the output and modulation settings, and the common and
// system commands.
std::vector<Command> SourceCommands();
std::vector<Command> SystemCommands();

}  // namespace tgqsim
