// Scripting of the headless text entries for tests: look at the entry that is
// open (placement, text, selection, limit, font, colours), type into it as a user would, and
// end it with Return or by moving the keyboard focus away; make the next entry fail to open.
#pragma once

#include <cstdint>
#include <string>

#include "gui/platform/platform_types.h"
#include "gui/platform/text_entry.h"

namespace QGUI::platform::headless {

// Forgets every entry, font and brush (entries still open are dropped without any callback),
// clears the failure request and the counters. Tests call it in their fixture.
void resetTextEntries();

// What a test can see of an entry. Entries stay known until resetTextEntries, also after being
// destroyed, so that a test may look at one it kept.
struct TextEntryState {
  bool alive = false;
  bool hasFocus = false;
  Window* parent = nullptr;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  std::string text;
  bool wholeTextSelected = false;  // until the first typing
  std::int32_t maxLength = 0;
  std::int32_t alignment = 0;
  std::uint8_t textRed = 0, textGreen = 0, textBlue = 0;
  std::uint8_t backRed = 0, backGreen = 0, backBlue = 0;
  ModuleHandle module = nullptr;
  bool hasFont = false;
  std::string fontFace;
  std::int32_t fontHeight = 0;
  std::int32_t fontWeight = 0;
};
bool textEntryState(TextEntry* entry, TextEntryState& state);

// The entry that has the keyboard focus; null when none has.
TextEntry* focusedTextEntry();
std::int32_t liveTextEntries();
std::int32_t textEntriesCreated();

// Types into the focused entry as a user would: the first typing replaces the selected text,
// later typing appends; characters beyond the entry's limit are refused. Answers how many
// characters were taken (0 without a focused entry).
std::int32_t typeIntoTextEntry(const char* text);
// Return in the focused entry: it reports its end. False without a focused entry.
bool pressReturnInTextEntry();
// The keyboard focus leaves the focused entry (a click elsewhere): it reports its end. False
// without a focused entry.
bool moveFocusFromTextEntry();
// The next createTextEntry answers null, as when the window system cannot make the window.
void failNextTextEntry();
// How often entries reported their end since the reset.
std::int32_t textEntryEndReports();

// Fonts and brushes made and not yet destroyed.
std::int32_t liveTextEntryFonts();
std::int32_t liveTextEntryBrushes();

}  // namespace QGUI::platform::headless
