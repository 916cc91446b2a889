// Bounded text copies for everything written into a host's buffer. A host passes no length with
// its text requests, so every writer cuts to the limit of that request: a buffer of maxLen + 1
// bytes receives at most maxLen characters and always a terminating zero.
#pragma once

#include <cstddef>

#include "shell/aeffect.h"

// Characters (without the terminator) that fit each request's buffer.
inline constexpr std::size_t kParamTextChars = kVstMaxParamStrLen;             // 8
inline constexpr std::size_t kProgramNameChars = kVstMaxProgNameLen - 1;       // 23
inline constexpr std::size_t kEffectNameChars = kVstMaxEffectNameLen - 1;      // 31
inline constexpr std::size_t kVendorStringChars = kVstMaxVendorStrLen - 1;     // 63
inline constexpr std::size_t kProductStringChars = kVstMaxProductStrLen - 1;   // 63

// Copies at most maxLen characters of src into dst (maxLen + 1 bytes) and terminates it.
// A null dst is ignored; a null src copies the empty text. Answers dst.
inline char* textCopy(char* dst, const char* src, std::size_t maxLen) {
  if (dst == nullptr) return dst;
  std::size_t n = 0;
  if (src != nullptr) {
    while (n < maxLen && src[n] != '\0') {
      dst[n] = src[n];
      ++n;
    }
  }
  dst[n] = '\0';
  return dst;
}

// Appends src to the text in dst so that the result has at most maxLen characters (dst holds
// maxLen + 1 bytes). A text already longer than maxLen is cut to maxLen. Null dst is ignored.
inline char* textAppend(char* dst, const char* src, std::size_t maxLen) {
  if (dst == nullptr) return dst;
  std::size_t n = 0;
  while (n < maxLen && dst[n] != '\0') ++n;
  return textCopy(dst + n, src, maxLen - n) - n;
}

// The request-specific forms.
inline char* copyParamText(char* dst, const char* src) { return textCopy(dst, src, kParamTextChars); }
inline char* copyProgramName(char* dst, const char* src) {
  return textCopy(dst, src, kProgramNameChars);
}
inline char* copyEffectName(char* dst, const char* src) {
  return textCopy(dst, src, kEffectNameChars);
}
inline char* copyVendorString(char* dst, const char* src) {
  return textCopy(dst, src, kVendorStringChars);
}
inline char* copyProductString(char* dst, const char* src) {
  return textCopy(dst, src, kProductStringChars);
}
