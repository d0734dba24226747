// Entries of the instrument's error queue and the errors the simulated
// instrument raises.
#pragma once

#include <string>

namespace tgqsim {

struct ScpiError {
  int code;
  std::string message;
};

// Thrown by a command handler; the executor queues the error.
struct ScpiFailure {
  ScpiError error;
};

[[noreturn]] inline void Fail(const ScpiError& error) { throw ScpiFailure{error}; }

// Command errors (-100 to -199) make the instrument discard the rest of the
// message; execution errors only fail their own command.
inline bool IsCommandError(int code) { return code <= -100 && code >= -199; }

inline const ScpiError kNoError{0, "No error"};
inline const ScpiError kSyntaxError{-102, "Syntax error"};
inline const ScpiError kDataTypeError{-104, "Data type error"};
inline const ScpiError kParameterNotAllowed{-108, "Parameter not allowed"};
inline const ScpiError kMissingParameter{-109, "Missing parameter"};
inline const ScpiError kUndefinedHeader{-113, "Undefined header"};
inline const ScpiError kSuffixNotAllowed{-138, "Suffix not allowed"};
inline const ScpiError kSettingsConflict{-221, "Settings conflict"};
inline const ScpiError kDataOutOfRange{-222, "Data out of range"};
inline const ScpiError kIllegalParameterValue{-224, "Illegal parameter value"};
inline const ScpiError kDeviceSpecificError{-300, "Device-specific error"};
inline const ScpiError kQueueOverflow{-350, "Queue overflow"};
inline const ScpiError kQueryInterrupted{-410, "Query INTERRUPTED"};
inline const ScpiError kQueryUnterminated{-420, "Query UNTERMINATED"};

}  // namespace tgqsim
