// Runs a check of the network's packets on the bytes as they are, and with
// their last four made the CRC-32 of the rest, so that the search gets past
// the checksum to the fields behind it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/net/packet.h"

template <typename Check>
int checkAsIsAndSealed(const std::uint8_t* data, std::size_t size, Check check) {
  check(std::span<const std::uint8_t>(data, size));
  if (size < 4) return 0;
  std::vector<std::uint8_t> sealed(data, data + size);
  const std::uint32_t crc = glamora::net::crc32(std::span(sealed).first(size - 4));
  for (int k = 0; k < 4; ++k) sealed[size - 4 + k] = static_cast<std::uint8_t>(crc >> (8 * k));
  check(std::span<const std::uint8_t>(sealed));
  return 0;
}
