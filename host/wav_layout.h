// Byte layout of RIFF/WAVE files shared by the built-in reader and writer: chunk ids, format
// tags, little-endian fields and the sample codecs (PCM scaled by 2^(bits-1), clipped on the way
// out; NaN written as silence).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

namespace plughost::wav {

constexpr int kFormatPcm = 1;
constexpr int kFormatFloat = 3;
constexpr int kFormatExtensible = 0xFFFE;
// Bytes 2..15 of the extensible sub-format GUID; bytes 0..1 carry the plain format tag.
constexpr unsigned char kSubFormatTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::uint32_t kMaxSampleRate = 10'000'000;

inline bool hasId(const unsigned char* p, const char* id) { return std::memcmp(p, id, 4) == 0; }
inline std::uint16_t getU16(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t getU32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void putU16(unsigned char* p, std::uint32_t v) {
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
}
inline void putU32(unsigned char* p, std::uint32_t v) {
  putU16(p, v);
  putU16(p + 2, v >> 16);
}

inline double decodePcm16(const unsigned char* p) {
  return static_cast<std::int16_t>(getU16(p)) / 32768.0;
}
inline double decodePcm24(const unsigned char* p) {
  std::int32_t v = p[0] | (p[1] << 8) | (p[2] << 16);
  if (v & 0x800000) v -= 0x1000000;
  return v / 8388608.0;
}
inline double decodeFloat32(const unsigned char* p) {
  const std::uint32_t bits = getU32(p);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

// Full scale +-1.0 to a PCM code of `bits` bits: scaled, clipped, rounded to nearest.
inline std::int32_t quantize(double x, int bits) {
  const double scale = static_cast<double>(std::int32_t{1} << (bits - 1));
  if (std::isnan(x)) return 0;
  const double v = x * scale;
  if (v >= scale - 1.0) return static_cast<std::int32_t>(scale - 1.0);
  if (v <= -scale) return static_cast<std::int32_t>(-scale);
  return static_cast<std::int32_t>(std::lrint(v));
}

inline void encodePcm16(unsigned char* p, double x) {
  putU16(p, static_cast<std::uint32_t>(quantize(x, 16)));
}
inline void encodePcm24(unsigned char* p, double x) {
  const auto v = static_cast<std::uint32_t>(quantize(x, 24));
  p[0] = static_cast<unsigned char>(v);
  p[1] = static_cast<unsigned char>(v >> 8);
  p[2] = static_cast<unsigned char>(v >> 16);
}
inline void encodeFloat32(unsigned char* p, double x) {
  const float f = static_cast<float>(x);
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  putU32(p, bits);
}

}  // namespace plughost::wav
