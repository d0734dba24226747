#include "scpi/scpi_words.h"

#include <cctype>

namespace scpi {

namespace {

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string ToUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = Upper(c);
  return upper;
}

}  // namespace

bool SameWordIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

Mnemonic::Mnemonic(std::string_view spelling) : long_(ToUpper(spelling)) {
  size_t shortLength = 0;
  while (shortLength < spelling.size() &&
         !std::islower(static_cast<unsigned char>(spelling[shortLength])))
    ++shortLength;
  short_ = long_.substr(0, shortLength);
}

bool Mnemonic::Matches(std::string_view written) const {
  return SameWordIgnoringCase(written, short_) || SameWordIgnoringCase(written, long_);
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

std::string HeaderPattern::ShortForm() const {
  std::string form;
  for (const Node& node : nodes_)
    if (!node.optional) form += (form.empty() ? "" : ":") + node.mnemonic.ShortForm();
  return form;
}

std::string HeaderPattern::LongForm() const {
  std::string form;
  for (const Node& node : nodes_)
    if (!node.optional) form += (form.empty() ? "" : ":") + node.mnemonic.LongForm();
  return form;
}

std::vector<std::string> HeaderPath(std::string_view header) {
  if (!header.empty() && header.front() == ':') header.remove_prefix(1);
  std::vector<std::string> path;
  while (true) {
    size_t colon = header.find(':');
    std::string_view node = header.substr(0, colon);
    if (node.empty()) return {};
    path.emplace_back(node);
    if (colon == std::string_view::npos) return path;
    header.remove_prefix(colon + 1);
  }
}

}  // namespace scpi
