// Constants shared by the whole toolkit: mouse-button and modifier bits, font ids with their
// table, face bits, line styles, draw modes, fill styles, text alignments and named colours.
#pragma once

#include <cstdint>

#include "gui/rgba_color.h"

namespace QGUI {

// Mouse buttons and modifiers, as a signed 32-bit set (queryMouseButtons). -1 in place of a set
// means "not known yet: ask the context".
enum : std::int32_t {
    kButtonLeft = 1,
    kButtonMiddle = 2,
    kButtonRight = 4,
    kModifierShift = 8,
    kModifierControl = 16,
    kModifierAlt = 32,
    kModifierCommand = 64,  // never produced on Windows; part of the modifier mask
    kModifierMask = kModifierShift | kModifierControl | kModifierAlt | kModifierCommand,  // 0x78
};

// Font ids: indices into kFontTable.
enum : std::int32_t {
    kFontSystem = 0,
    kFontVeryLarge = 1,
    kFontLarge = 2,
    kFontNormal = 3,
    kFontSmall = 4,
    kFontSmaller = 5,
    kFontVerySmall = 6,
    kFontSymbol = 7,
    kNumFonts = 8,  // also "no font selected yet" in a context
};

// Font face bits.
enum : std::int32_t {
    kFaceNormal = 0,
    kFaceBold = 1,
    kFaceItalic = 2,
    kFaceUnderline = 4,
};

enum : std::int32_t {
    kLineStyleSolid = 0,
    kLineStyleDotted = 1,  // an on-off dotted pen
};

enum : std::int32_t {
    kDrawModeCopy = 0,  // the pen replaces the pixels
    kDrawModeOr = 1,    // pen merged (or) with the pixels
    kDrawModeXor = 2,   // the inverse of pen xor pixels
};

// Fill styles of the shape operations.
enum : std::int32_t {
    kDrawOutline = 0,
    kDrawFill = 1,
    kDrawFillAndOutline = 2,
};

enum : std::int32_t {
    kAlignLeft = 0,
    kAlignCenter = 1,
    kAlignRight = 2,
};

// Pitch and family of a font face, as the platform's font matching wants them.
enum class FontPitchFamily : std::int32_t {
    variableSwiss,       // proportional sans-serif
    defaultDecorative,   // whatever pitch the face has, decorative family
};

struct FontTableEntry {
    const char* faceName;
    std::int32_t size;  // character height in pixels
    FontPitchFamily pitchFamily;
};

// Indexed by font id. The system font is always drawn bold.
inline constexpr FontTableEntry kFontTable[kNumFonts] = {
    {"Arial", 12, FontPitchFamily::variableSwiss},      // kFontSystem
    {"Arial", 18, FontPitchFamily::variableSwiss},      // kFontVeryLarge
    {"Arial", 14, FontPitchFamily::variableSwiss},      // kFontLarge
    {"Arial", 12, FontPitchFamily::variableSwiss},      // kFontNormal
    {"Arial", 11, FontPitchFamily::variableSwiss},      // kFontSmall
    {"Arial", 10, FontPitchFamily::variableSwiss},      // kFontSmaller
    {"Arial", 9, FontPitchFamily::variableSwiss},       // kFontVerySmall
    {"Symbol", 13, FontPitchFamily::defaultDecorative}, // kFontSymbol
};

inline constexpr CRgbaColor kWhiteColor{255, 255, 255, 255};
inline constexpr CRgbaColor kBlackColor{0, 0, 0, 255};
inline constexpr CRgbaColor kGreyColor{127, 127, 127, 255};
inline constexpr CRgbaColor kRedColor{255, 0, 0, 255};
inline constexpr CRgbaColor kGreenColor{0, 255, 0, 255};
inline constexpr CRgbaColor kTransparentWhiteColor{255, 255, 255, 0};

}  // namespace QGUI
