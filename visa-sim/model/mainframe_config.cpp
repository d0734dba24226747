#include "visa-sim/model/mainframe_config.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

#include "visa-sim/model/text_util.h"
#include "visa.h"

namespace tgqsim {

namespace {

constexpr size_t kMaxResourceName = VI_FIND_BUFLEN - 1;
constexpr int kDefaultLongReply = 4096;

struct ConfigError {
  std::string problem;
};

[[noreturn]] void Bad(std::string problem) { throw ConfigError{std::move(problem)}; }

// Decimal, or hexadecimal with 0x, with an optional sign.
long long Integer(std::string_view text, long long min, long long max) {
  std::string digits(text);
  if (digits.empty()) Bad("a number is missing");
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(digits.c_str(), &end, 0);
  if (*end != '\0' || errno == ERANGE) Bad("'" + digits + "' is not a number");
  if (value < min || value > max)
    Bad("'" + digits + "' is out of range " + std::to_string(min) + " to " + std::to_string(max));
  return value;
}

// A VISA status, written as a signed number or as its 32-bit pattern.
int32_t Status(std::string_view text, int32_t missing) {
  if (text.empty()) return missing;
  long long value = Integer(text, std::numeric_limits<int32_t>::min(),
                            std::numeric_limits<uint32_t>::max());
  if (value == 0) Bad("status 0 is success, not a fault");
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

std::string Header(std::string_view text) {
  if (text.empty() || text.find_first_of(" \t") != std::string_view::npos)
    Bad("a single command header is expected");
  if (text.front() == ':') text.remove_prefix(1);
  return ToUpper(text);
}

// "HEADER [NUMBER]".
HeaderFault HeaderWithAmount(std::string_view value, int fallback, int max) {
  size_t blank = value.find_first_of(" \t");
  HeaderFault fault{Header(value.substr(0, blank)), fallback};
  std::string_view amount = blank == std::string_view::npos ? "" : Trim(value.substr(blank));
  if (!amount.empty() || fallback == 0) fault.amount = static_cast<int>(Integer(amount, 1, max));
  return fault;
}

bool YesOrNo(std::string_view value, const char* key) {
  if (value != "yes" && value != "no") Bad(std::string(key) + " takes yes or no");
  return value == "yes";
}

// The session attributes a viSetAttribute may be told to warn about.
uint32_t SettableAttribute(std::string_view name) {
  struct Known {
    const char* name;
    uint32_t attribute;
  };
  for (Known k : {Known{"VI_ATTR_TMO_VALUE", VI_ATTR_TMO_VALUE},
                  Known{"VI_ATTR_TERMCHAR", VI_ATTR_TERMCHAR},
                  Known{"VI_ATTR_TERMCHAR_EN", VI_ATTR_TERMCHAR_EN},
                  Known{"VI_ATTR_SEND_END_EN", VI_ATTR_SEND_END_EN}})
    if (name == k.name) return k.attribute;
  Bad("set-warns takes VI_ATTR_TMO_VALUE, VI_ATTR_TERMCHAR, VI_ATTR_TERMCHAR_EN or "
      "VI_ATTR_SEND_END_EN");
}

// The interface type and addresses a resource name implies, as VISA names them.
void ApplyNameDefaults(ResourceConfig& r) {
  struct Prefix {
    const char* text;
    uint16_t type;
  };
  for (Prefix p : {Prefix{"GPIB-VXI", VI_INTF_GPIB_VXI}, Prefix{"GPIB", VI_INTF_GPIB},
                   Prefix{"VXI", VI_INTF_VXI}, Prefix{"ASRL", VI_INTF_ASRL},
                   Prefix{"TCPIP", VI_INTF_TCPIP}}) {
    if (StartsWithIgnoringCase(r.name, p.text)) {
      r.intfType = p.type;
      break;
    }
  }
  std::string_view rest(r.name);
  r.socket = rest.size() >= 8 && EqualsIgnoringCase(rest.substr(rest.size() - 8), "::SOCKET");
  r.endIndicator = !r.socket;
  std::vector<std::string_view> fields;
  for (size_t at; (at = rest.find("::")) != std::string_view::npos; rest.remove_prefix(at + 2))
    fields.push_back(rest.substr(0, at));
  fields.push_back(rest);
  auto number = [&fields](size_t index, long long max) -> std::optional<long long> {
    if (index >= fields.size() || fields[index].empty()) return std::nullopt;
    std::string digits(fields[index]);
    char* end = nullptr;
    long long value = std::strtoll(digits.c_str(), &end, 10);
    if (*end != '\0' || value < 0 || value > max) return std::nullopt;
    return value;
  };
  if (r.intfType == VI_INTF_GPIB) {
    if (auto primary = number(1, 30)) r.gpibPrimary = static_cast<uint16_t>(*primary);
    if (auto secondary = number(2, 30)) r.gpibSecondary = static_cast<uint16_t>(*secondary);
  } else if (auto la = number(1, 255)) {
    r.logicalAddress = static_cast<int16_t>(*la);
  }
}

class ConfigReader {
 public:
  void Line(std::string_view key, std::string_view value) {
    if (key == "rm-fails") {
      config_.rmStatus = Status(value, VI_ERROR_SYSTEM_ERROR);
    } else if (key == "find-fails") {
      config_.findStatus = Status(value, VI_ERROR_SYSTEM_ERROR);
    } else if (key == "find-count-extra") {
      config_.findCountExtra = static_cast<int>(Integer(value, 1, 1000));
    } else if (key == "resource") {
      StartResource(value);
    } else {
      ResourceLine(key, value, Current());
    }
  }

  MainframeConfig Take() { return std::move(config_); }

 private:
  ResourceConfig& Current() {
    if (config_.resources.empty()) Bad("'resource NAME' must come first");
    return config_.resources.back();
  }

  void StartResource(std::string_view name) {
    if (name.empty() || name.size() > kMaxResourceName ||
        name.find_first_of(" \t") != std::string_view::npos)
      Bad("a resource name of 1 to 255 characters without blanks is expected");
    for (const ResourceConfig& r : config_.resources)
      if (EqualsIgnoringCase(r.name, name)) Bad("resource " + std::string(name) + " is named twice");
    ResourceConfig r;
    r.name = std::string(name);
    ApplyNameDefaults(r);
    config_.resources.push_back(std::move(r));
  }

  static void ResourceLine(std::string_view key, std::string_view value, ResourceConfig& r) {
    if (key == "intf") {
      r.intfType = static_cast<uint16_t>(Integer(value, 1, 0xFFFF));
    } else if (key == "manf") {
      r.manfId = static_cast<uint16_t>(Integer(value, 0, 0xFFFF));
    } else if (key == "model") {
      r.modelCode = static_cast<uint16_t>(Integer(value, 0, 0xFFFF));
    } else if (key == "slot") {
      r.slot = static_cast<int16_t>(Integer(value, -32768, 32767));
    } else if (key == "la") {
      r.logicalAddress = static_cast<int16_t>(Integer(value, -32768, 32767));
    } else if (key == "gpib") {
      size_t blank = value.find_first_of(" \t");
      r.gpibPrimary = static_cast<uint16_t>(Integer(value.substr(0, blank), 0, 30));
      r.gpibSecondary = blank == std::string_view::npos
                            ? VI_NO_SEC_ADDR
                            : static_cast<uint16_t>(Integer(Trim(value.substr(blank)), 0, 30));
    } else if (key == "scpi") {
      if (value == "q3207")
        r.device = DeviceKind::kQ3207;
      else if (value == "idn")
        r.device = DeviceKind::kIdentifyOnly;
      else if (value == "none")
        r.device = DeviceKind::kSilent;
      else
        Bad("scpi takes q3207, idn or none");
    } else if (key == "idn") {
      if (value.empty()) Bad("idn needs its reply text");
      r.profile.identification = std::string(value);
    } else if (key == "options") {
      r.profile.options = std::string(value);
    } else if (key == "self-test") {
      r.profile.selfTestCode = static_cast<int>(Integer(value, -32768, 32767));
    } else if (key == "pll") {
      if (value != "locked" && value != "unlocked") Bad("pll takes locked or unlocked");
      r.profile.pllLocked = value == "locked";
    } else if (key == "stb-extra") {
      r.profile.extraStatusBits = static_cast<uint8_t>(Integer(value, 0, 255));
    } else if (key == "open-fails") {
      r.openStatus = Status(value, VI_ERROR_RSRC_NFOUND);
    } else if (key == "timeout-on") {
      r.timeoutHeaders.push_back(Header(value));
    } else if (key == "timeout-io") {
      r.timeoutIos.push_back(static_cast<int>(Integer(value, 1, std::numeric_limits<int>::max())));
    } else if (key == "delay-ms") {
      r.delayMs = static_cast<int>(Integer(value, 0, 60000));
    } else if (key == "long-reply") {
      r.longReplies.push_back(HeaderWithAmount(value, kDefaultLongReply, 1000000));
    } else if (key == "error-flood") {
      r.errorFloods.push_back(HeaderWithAmount(value, 0, 1000));
    } else if (key == "link-lost-io") {
      r.link.lostAtIo = static_cast<int>(Integer(value, 1, std::numeric_limits<int>::max()));
    } else if (key == "link-lost-ms") {
      r.link.lostAtMs = static_cast<int>(Integer(value, 0, std::numeric_limits<int>::max()));
    } else if (key == "link-lost-on") {
      r.link.lostOn.push_back(Header(value));
    } else if (key == "link-back-io") {
      r.link.backAfterIos = static_cast<int>(Integer(value, 1, std::numeric_limits<int>::max()));
    } else if (key == "link-back-ms") {
      r.link.backAfterMs = static_cast<int>(Integer(value, 0, std::numeric_limits<int>::max()));
    } else if (key == "power-cycle") {
      r.link.powerCycle = true;
    } else if (key == "link-lost-again") {
      r.link.lostAgain = true;
    } else if (key == "drop-on") {
      r.dropHeaders.push_back(Header(value));
    } else if (key == "stall-on") {
      r.stallReplies.push_back(HeaderWithAmount(value, 1, 1000000));
    } else if (key == "end-indicator") {
      r.endIndicator = YesOrNo(value, "end-indicator");
      if (r.endIndicator && r.socket) Bad("a SOCKET has no END indicator");
    } else if (key == "line-end") {
      if (value != "lf" && value != "crlf") Bad("line-end takes lf or crlf");
      r.carriageReturn = value == "crlf";
    } else if (key == "largest-piece") {
      r.largestPiece = static_cast<size_t>(Integer(value, 1, 1000000));
    } else if (key == "set-warns") {
      r.setWarnings.push_back(SettableAttribute(value));
    } else {
      Bad("unknown key '" + std::string(key) + "'");
    }
  }

  MainframeConfig config_;
};

}  // namespace

ConfigResult ParseMainframeConfig(std::string_view text) {
  ConfigReader reader;
  int lineNumber = 0;
  std::string_view rest = text;
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    std::string_view line = Trim(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    size_t blank = line.find_first_of(" \t");
    std::string_view key = line.substr(0, blank);
    std::string_view value = blank == std::string_view::npos ? "" : Trim(line.substr(blank));
    try {
      reader.Line(key, value);
    } catch (const ConfigError& error) {
      return {MainframeConfig{}, lineNumber, error.problem};
    }
  }
  return {reader.Take(), 0, {}};
}

const char* DefaultMainframeText() {
  return "resource GPIB-VXI0::24::INSTR\n"
         "intf 3\n"
         "slot 3\n"
         "la 24\n"
         "manf 0x0FFF\n"
         "model 0x0244\n"
         "scpi q3207\n"
         "idn TARROWS-GIMBELL,Q3207,0,A.01.00\n"
         "options 1:PLL\n"
         "pll locked\n";
}

}  // namespace tgqsim
