// The instrument object's remembered state as key -> text, so that a test can
// tell exactly which settings an operation changed.
#pragma once

#include <map>
#include <string>
#include <vector>

class CInstrument;

using CRememberedState = std::map<std::string, std::string>;

CRememberedState RememberedState(const CInstrument& instrument);

// "key: before -> after" for every key whose value differs, in key order.
std::string StateDifferences(const std::map<std::string, std::string>& before,
                             const std::map<std::string, std::string>& after);

// The settings on which the remembered state and the simulated instrument's
// state (same keys) disagree, one "key: remembered X, instrument Y" each.
// Numbers agree when they differ by no more than the 15 significant digits
// in which the instrument replies.
std::vector<std::string> Disagreements(const CRememberedState& remembered,
                                       const std::map<std::string, std::string>& instrument);
