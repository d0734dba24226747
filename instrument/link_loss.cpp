#include "instrument/link_loss.h"

#include "tgq3207.h"

namespace {

constexpr unsigned KindBit(EResourceKind kind) { return 1u << static_cast<unsigned>(kind); }
constexpr unsigned kAnyKind = ~0u;

// The one table of loss rules: a status, and the kinds of resource on which
// it means the link is gone.
struct CLossRule {
  int32_t status;
  unsigned kinds;
};
constexpr CLossRule kLossRules[] = {
    {VI_ERROR_CONN_LOST, kAnyKind},
    {VI_ERROR_IO, KindBit(EResourceKind::kLan)},
    {VI_ERROR_NLISTENERS, KindBit(EResourceKind::kGpib) | KindBit(EResourceKind::kGpibVxi)},
};

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

}  // namespace

EResourceKind ResourceKindOf(const std::string& rsrcName, uint16_t intfType) {
  switch (intfType) {
    case VI_INTF_GPIB: return EResourceKind::kGpib;
    case VI_INTF_VXI: return EResourceKind::kVxi;
    case VI_INTF_GPIB_VXI: return EResourceKind::kGpibVxi;
    case VI_INTF_TCPIP: return EResourceKind::kLan;
  }
  if (intfType != 0) return EResourceKind::kOther;
  if (StartsWith(rsrcName, "GPIB-VXI")) return EResourceKind::kGpibVxi;
  if (StartsWith(rsrcName, "GPIB")) return EResourceKind::kGpib;
  if (StartsWith(rsrcName, "VXI")) return EResourceKind::kVxi;
  if (StartsWith(rsrcName, "TCPIP")) return EResourceKind::kLan;
  return EResourceKind::kOther;
}

bool IsLinkLost(int32_t status, EResourceKind kind) {
  for (const CLossRule& rule : kLossRules)
    if (rule.status == status && (rule.kinds & KindBit(kind)) != 0) return true;
  return false;
}
