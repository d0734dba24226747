// XDR, the byte order of ONC RPC: big-endian 32-bit words, opaque data and
// strings padded to a whole word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tgqnet {

class XdrWriter {
 public:
  XdrWriter& U32(uint32_t value);
  // Length, bytes, then zeros up to a multiple of four.
  XdrWriter& Opaque(std::string_view bytes);
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// Reads what an XdrWriter wrote. A read past the end gives 0 or "" and makes
// Ok() false from then on, so a whole structure is read before one check.
class XdrReader {
 public:
  explicit XdrReader(std::string_view bytes) : bytes_(bytes) {}
  uint32_t U32();
  std::string Opaque(size_t maxLength = SIZE_MAX);
  bool Ok() const { return ok_; }
  // What has not been read yet.
  std::string_view Rest() const { return bytes_; }

 private:
  std::string_view bytes_;
  bool ok_ = true;
};

}  // namespace tgqnet
