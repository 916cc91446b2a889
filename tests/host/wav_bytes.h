// Builds WAV files byte by byte, so that tests can make the malformed ones no writer would.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace hosttest {

class WavBytes {
 public:
  WavBytes& text(const std::string& s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    return *this;
  }
  WavBytes& u16(std::uint32_t v) {
    bytes_.push_back(static_cast<std::uint8_t>(v));
    bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
  }
  WavBytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  WavBytes& raw(std::vector<std::uint8_t> b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  WavBytes& zeros(std::size_t n) {
    bytes_.insert(bytes_.end(), n, 0);
    return *this;
  }
  // "RIFF" <size> "WAVE"; the size is not checked by readers, so any value does.
  WavBytes& riff() { return text("RIFF").u32(0).text("WAVE"); }
  // A 16-byte format chunk.
  WavBytes& fmt(int tag, int channels, int rate, int bits, int blockAlign = -1) {
    const int align = blockAlign >= 0 ? blockAlign : channels * bits / 8;
    return text("fmt ").u32(16).u16(tag).u16(channels).u32(rate).u32(rate * align).u16(align).u16(
        bits);
  }
  WavBytes& dataHeader(std::uint32_t size) { return text("data").u32(size); }

  void save(const std::filesystem::path& path) const {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes_.data()),
              static_cast<std::streamsize>(bytes_.size()));
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace hosttest
