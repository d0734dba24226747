#include "visa-sim/model/mnemonic.h"

#include <cctype>

#include "visa-sim/model/text_util.h"

namespace tgqsim {

Mnemonic::Mnemonic(std::string_view spelling) : long_(ToUpper(spelling)) {
  size_t shortLength = 0;
  while (shortLength < spelling.size() &&
         !std::islower(static_cast<unsigned char>(spelling[shortLength])))
    ++shortLength;
  short_ = long_.substr(0, shortLength);
}

bool Mnemonic::Matches(std::string_view written) const {
  return EqualsIgnoringCase(written, short_) || EqualsIgnoringCase(written, long_);
}

HeaderPattern::HeaderPattern(std::string_view pattern) {
  size_t pos = 0;
  while (pos < pattern.size()) {
    if (pattern[pos] == ':') {
      ++pos;
      continue;
    }
    bool optional = pattern[pos] == '[';
    size_t end = optional ? pattern.find(']', pos) : pattern.find_first_of(":[", pos);
    if (end == std::string_view::npos) end = pattern.size();
    std::string_view word = pattern.substr(pos, end - pos);
    if (optional) word = word.substr(1);
    while (!word.empty() && word.front() == ':') word.remove_prefix(1);
    nodes_.push_back({Mnemonic(word), optional});
    pos = optional ? end + 1 : end;
  }
}

bool HeaderPattern::Matches(const std::vector<std::string>& path) const {
  return MatchesFrom(0, path, 0);
}

bool HeaderPattern::MatchesFrom(size_t node, const std::vector<std::string>& path,
                                size_t index) const {
  if (node == nodes_.size()) return index == path.size();
  const Node& n = nodes_[node];
  if (index < path.size() && n.mnemonic.Matches(path[index]) &&
      MatchesFrom(node + 1, path, index + 1))
    return true;
  return n.optional && MatchesFrom(node + 1, path, index);
}

}  // namespace tgqsim
