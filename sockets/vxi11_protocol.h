// The numbers of VXI-11 (instrument access over ONC RPC) and of the port
// mapper that leads to it.
#pragma once

#include <cstdint>

namespace tgqnet::vxi11 {

constexpr uint16_t kPortmapPort = 111;
constexpr uint32_t kPortmapProgram = 100000, kPortmapVersion = 2;
constexpr uint32_t kPortmapNull = 0, kPortmapGetPort = 3, kPortmapDump = 4;
constexpr uint32_t kProtocolTcp = 6, kProtocolUdp = 17;

constexpr uint32_t kCoreProgram = 0x0607AF, kAbortProgram = 0x0607B0, kVersion = 1;

enum Procedure : uint32_t {
  kDeviceAbort = 1,
  kCreateLink = 10,
  kDeviceWrite = 11,
  kDeviceRead = 12,
  kDeviceReadStb = 13,
  kDeviceTrigger = 14,
  kDeviceClear = 15,
  kDeviceRemote = 16,
  kDeviceLocal = 17,
  kDeviceLock = 18,
  kDeviceUnlock = 19,
  kDeviceEnableSrq = 20,
  kDeviceDocmd = 22,
  kDestroyLink = 23,
  kCreateIntrChan = 25,
  kDestroyIntrChan = 26,
};

// Operation flags.
constexpr uint32_t kWaitLock = 0x01, kEnd = 0x08, kTermCharSet = 0x80;
// Why a read ended.
constexpr uint32_t kReasonRequestCount = 1, kReasonTermChar = 2, kReasonEnd = 4;

enum Error : uint32_t {
  kNoError = 0,
  kNotAccessible = 3,
  kInvalidLink = 4,
  kParameterError = 5,
  kNotSupported = 8,
  kLockedByAnother = 11,
  kNoLockHeld = 12,
  kIoTimeout = 15,
  kIoError = 17,
  kAbort = 23,
};

// The largest write a link takes in one call.
constexpr uint32_t kMaxRecvSize = 1024;

}  // namespace tgqnet::vxi11
