// Random whole setups that the Q3207 takes from its power-on state when they
// are applied in recall order: every value within the limits that the function
// and the load set, numbers of six significant digits (as an operator types
// them, and exact through the driver's fifteen), at most one mode on.
#pragma once

#include <random>
#include <vector>

#include "instrument/setup_file.h"

std::vector<CSetupStep> RandomValidSetup(std::mt19937& random);
