// The search for the function generator among the resources VISA knows, and
// the rule that picks one of the candidates without asking the operator.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "connect/visa_library.h"

// The resources matching "?*INSTR" that open, report their interface type
// and identify themselves (every one that opens and reports its type when
// `acceptAny`), in the order VISA lists them. Empty when the search fails.
// `idnPrefix` is what the reply of a GPIB, LAN or USB instrument to "*IDN?"
// starts with; a VXI or GPIB-VXI module is known by its identity attributes.
std::vector<std::string> FindCandidates(const CVisaEntryPoints& visa, ViSession resourceManager,
                                        bool acceptAny, const std::string& idnPrefix);

// The only candidate, or the only one on a GPIB-VXI resource; none when the
// operator must choose (always when `alwaysAsk`). `candidates` is not empty.
std::optional<std::string> ChooseWithoutAsking(const std::vector<std::string>& candidates,
                                               bool alwaysAsk);
