// The IEEE 488.2 common commands and the system and status subsystems.
#include <cmath>

#include "visa-sim/model/command_builders.h"
#include "visa-sim/model/q3207_commands.h"
#include "visa-sim/model/q3207_instrument.h"
#include "visa-sim/model/reply_format.h"

namespace tgqsim {

namespace {

Command OperationCompleteCommand() {
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    inst.SignalOperationComplete();
  };
  auto query = [](Q3207Instrument&, const Parameters& params) {
    ExpectNoParameters(params);
    return FormatInteger(1);
  };
  return {HeaderPattern("*OPC"), set, query};
}

Command EventStatusEnableCommand() {
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    double mask = std::round(PlainNumber(SingleParameter(params)));
    inst.SetEventStatusEnable(static_cast<uint8_t>(CheckedInRange(mask, {0.0, 255.0})));
  };
  auto query = [](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return FormatInteger(inst.EventStatusEnable());
  };
  return {HeaderPattern("*ESE"), set, query};
}

// A query without parameters.
Command Reply(const char* header, std::function<std::string(Q3207Instrument&)> reply) {
  return QueryOnly(header, [reply](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return reply(inst);
  });
}

}  // namespace

std::vector<Command> SystemCommands() {
  using I = Q3207Instrument;
  return {
      Action("*RST", [](I& inst) { inst.Reset(); }),
      Action("*CLS", [](I& inst) { inst.ClearStatus(); }),
      Action("*TRG", [](I& inst) { inst.Trigger(); }),
      Action("*WAI", [](I&) {}),
      OperationCompleteCommand(),
      EventStatusEnableCommand(),
      Reply("*IDN", [](I& inst) { return inst.Profile().identification; }),
      Reply("*OPT", [](I& inst) {
        const std::string& options = inst.Profile().options;
        return options.empty() ? std::string("0") : options;
      }),
      Reply("*TST", [](I& inst) { return FormatInteger(inst.Profile().selfTestCode); }),
      Reply("*ESR", [](I& inst) { return FormatInteger(inst.TakeEventStatus()); }),
      Reply("*STB", [](I& inst) { return FormatInteger(inst.StatusByte()); }),
      Reply("SYSTem:ERRor[:NEXT]", [](I& inst) { return FormatError(inst.Errors().Pop()); }),
      Reply("STATus:QUEStionable:CONDition", [](I& inst) {
        return FormatInteger(inst.Profile().pllLocked ? 0 : kQuesPllUnlocked);
      }),
  };
}

const std::vector<Command>& Q3207Commands() {
  static const std::vector<Command> commands = [] {
    std::vector<Command> all = SourceCommands();
    for (Command& command : SystemCommands()) all.push_back(std::move(command));
    return all;
  }();
  return commands;
}

}  // namespace tgqsim
