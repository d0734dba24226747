#include "sockets/xdr.h"

namespace tgqnet {

XdrWriter& XdrWriter::U32(uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) bytes_ += static_cast<char>(value >> shift);
  return *this;
}

XdrWriter& XdrWriter::Opaque(std::string_view bytes) {
  U32(static_cast<uint32_t>(bytes.size()));
  bytes_ += bytes;
  bytes_.append((4 - bytes.size() % 4) % 4, '\0');
  return *this;
}

uint32_t XdrReader::U32() {
  if (!ok_ || bytes_.size() < 4) {
    ok_ = false;
    return 0;
  }
  uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes_[i]);
  bytes_.remove_prefix(4);
  return value;
}

std::string XdrReader::Opaque(size_t maxLength) {
  size_t length = U32();
  size_t padded = length + (4 - length % 4) % 4;
  if (!ok_ || length > maxLength || padded > bytes_.size() || padded < length) {
    ok_ = false;
    return {};
  }
  std::string value(bytes_.substr(0, length));
  bytes_.remove_prefix(padded);
  return value;
}

}  // namespace tgqnet
