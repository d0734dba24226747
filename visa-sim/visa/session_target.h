// What an instrument session talks to: a resource of the simulated mainframe,
// or an instrument on the network behind a TCPIP...::SOCKET or INSTR name.
#pragma once

#include <string>
#include <string_view>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/visa/reply_reader.h"
#include "visa-sim/visa/traffic_log.h"
#include "visa.h"

namespace tgqsim {

// How a session writes: its time-out and whether END goes with the last byte.
struct WriteSettings {
  ViUInt32 timeoutMs;
  bool sendEnd;
};

class SessionTarget {
 public:
  virtual ~SessionTarget() = default;

  virtual const ResourceConfig& Config() const = 0;
  const std::string& Name() const { return Config().name; }

  virtual ViStatus Write(std::string_view data, const WriteSettings& settings, ViUInt32* written,
                         TrafficLog& log) = 0;
  virtual ViStatus Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings,
                        ViUInt32* read, TrafficLog& log) = 0;
  // A device clear; a SOCKET has none and only flushes what arrived unread.
  virtual void Clear(TrafficLog& log) = 0;
  // A serial poll and a device trigger; a SOCKET has neither.
  virtual ViStatus ReadStb(ViUInt16* /*status*/, TrafficLog& /*log*/) { return VI_ERROR_NSUP_OPER; }
  virtual ViStatus AssertTrigger(TrafficLog& /*log*/) { return VI_ERROR_NSUP_OPER; }
};

}  // namespace tgqsim
