// Headless text entries: in-memory single-line entries that behave as the native ones do where
// the toolkit relies on it (whole text selected at first, a character limit, one keyboard focus,
// an end report on Return and on losing the focus, also while being destroyed).
#include "gui/platform/text_entry.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui/platform/headless/headless_text_entry.h"

namespace QGUI::platform {

struct TextEntry {
  TextEntryParams params;
  std::string text;
  bool alive = true;
  bool destroying = false;
  bool wholeTextSelected = true;
  TextEntryFont* font = nullptr;
};

struct TextEntryFont {
  std::string face;
  std::int32_t height = 0;
  std::int32_t weight = 0;
  bool alive = true;
};

struct TextEntryBrush {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool alive = true;
};

namespace {

struct State {
  // Kept until the reset, so that pointers held by tests stay safe to ask about.
  std::vector<std::unique_ptr<TextEntry>> entries;
  std::vector<std::unique_ptr<TextEntryFont>> fonts;
  std::vector<std::unique_ptr<TextEntryBrush>> brushes;
  TextEntry* focused = nullptr;
  bool failNext = false;
  std::int32_t created = 0;
  std::int32_t endReports = 0;
};

State& state() {
  static State s;
  return s;
}

bool known(const TextEntry* entry) {
  for (const auto& e : state().entries)
    if (e.get() == entry) return true;
  return false;
}

bool knownFont(const TextEntryFont* font) {
  for (const auto& f : state().fonts)
    if (f.get() == font) return true;
  return false;
}

void reportEnd(TextEntry* entry) {
  ++state().endReports;
  if (entry->params.ended) entry->params.ended(entry->params.client);
}

// The focus leaves the entry; like a native window it reports its end at that moment.
void loseFocus(TextEntry* entry) {
  if (state().focused != entry) return;
  state().focused = nullptr;
  reportEnd(entry);
}

}  // namespace

TextEntry* createTextEntry(const TextEntryParams& params) {
  State& s = state();
  // A child window needs a parent; the window system refuses one without.
  if (s.failNext || !params.parent) {
    s.failNext = false;
    return nullptr;
  }
  auto entry = std::make_unique<TextEntry>();
  entry->params = params;
  entry->params.text = nullptr;  // not kept: the caller's buffer may change
  entry->params.maxLength = std::max<std::int32_t>(params.maxLength, 0);
  entry->text = params.text ? params.text : "";
  if (entry->text.size() > static_cast<std::size_t>(entry->params.maxLength))
    entry->text.resize(static_cast<std::size_t>(entry->params.maxLength));
  TextEntry* raw = entry.get();
  s.entries.push_back(std::move(entry));
  ++s.created;
  // Taking the keyboard focus takes it from whichever entry had it.
  if (s.focused) loseFocus(s.focused);
  s.focused = raw;
  return raw;
}

void destroyTextEntry(TextEntry* entry) {
  if (!entry || !known(entry) || !entry->alive || entry->destroying) return;
  entry->destroying = true;
  loseFocus(entry);
  entry->alive = false;
  entry->font = nullptr;
}

std::int32_t textEntryText(TextEntry* entry, char* buffer, std::int32_t capacity) {
  if (!buffer || capacity < 1) return 0;
  buffer[0] = '\0';
  if (!entry || !known(entry) || !entry->alive) return 0;
  const std::size_t n = std::min(entry->text.size(), static_cast<std::size_t>(capacity - 1));
  std::memcpy(buffer, entry->text.data(), n);
  buffer[n] = '\0';
  return static_cast<std::int32_t>(n);
}

TextEntryFont* createTextEntryFont(const char* faceName, std::int32_t height, std::int32_t weight) {
  auto font = std::make_unique<TextEntryFont>();
  font->face = faceName ? faceName : "";
  font->height = height;
  font->weight = weight;
  TextEntryFont* raw = font.get();
  state().fonts.push_back(std::move(font));
  return raw;
}

void destroyTextEntryFont(TextEntryFont* font) {
  if (font && knownFont(font)) font->alive = false;
}

void setTextEntryFont(TextEntry* entry, TextEntryFont* font) {
  if (entry && known(entry) && entry->alive) entry->font = font;
}

TextEntryBrush* createTextEntryBrush(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  auto brush = std::make_unique<TextEntryBrush>();
  brush->red = red;
  brush->green = green;
  brush->blue = blue;
  TextEntryBrush* raw = brush.get();
  state().brushes.push_back(std::move(brush));
  return raw;
}

void destroyTextEntryBrush(TextEntryBrush* brush) {
  for (const auto& b : state().brushes)
    if (b.get() == brush) b->alive = false;
}

namespace headless {

void resetTextEntries() {
  State& s = state();
  s.entries.clear();
  s.fonts.clear();
  s.brushes.clear();
  s.focused = nullptr;
  s.failNext = false;
  s.created = 0;
  s.endReports = 0;
}

bool textEntryState(TextEntry* entry, TextEntryState& out) {
  if (!entry || !known(entry)) return false;
  out = TextEntryState();
  out.alive = entry->alive;
  out.hasFocus = state().focused == entry;
  const TextEntryParams& p = entry->params;
  out.parent = p.parent;
  out.left = p.left;
  out.top = p.top;
  out.right = p.right;
  out.bottom = p.bottom;
  out.text = entry->text;
  out.wholeTextSelected = entry->wholeTextSelected;
  out.maxLength = p.maxLength;
  out.alignment = p.alignment;
  out.textRed = p.textRed;
  out.textGreen = p.textGreen;
  out.textBlue = p.textBlue;
  out.backRed = p.backRed;
  out.backGreen = p.backGreen;
  out.backBlue = p.backBlue;
  out.module = p.module;
  if (entry->font && knownFont(entry->font)) {
    out.hasFont = true;
    out.fontFace = entry->font->face;
    out.fontHeight = entry->font->height;
    out.fontWeight = entry->font->weight;
  }
  return true;
}

TextEntry* focusedTextEntry() {
  return state().focused;
}

std::int32_t liveTextEntries() {
  std::int32_t n = 0;
  for (const auto& e : state().entries) n += e->alive ? 1 : 0;
  return n;
}

std::int32_t textEntriesCreated() {
  return state().created;
}

std::int32_t typeIntoTextEntry(const char* typed) {
  TextEntry* entry = state().focused;
  if (!entry || !typed) return 0;
  if (entry->wholeTextSelected) {
    entry->text.clear();
    entry->wholeTextSelected = false;
  }
  const std::size_t limit = static_cast<std::size_t>(entry->params.maxLength);
  const std::size_t room = entry->text.size() < limit ? limit - entry->text.size() : 0;
  const std::size_t n = std::min(std::strlen(typed), room);
  entry->text.append(typed, n);
  return static_cast<std::int32_t>(n);
}

bool pressReturnInTextEntry() {
  TextEntry* entry = state().focused;
  if (!entry) return false;
  reportEnd(entry);
  return true;
}

bool moveFocusFromTextEntry() {
  TextEntry* entry = state().focused;
  if (!entry) return false;
  loseFocus(entry);
  return true;
}

void failNextTextEntry() {
  state().failNext = true;
}

std::int32_t textEntryEndReports() {
  return state().endReports;
}

std::int32_t liveTextEntryFonts() {
  std::int32_t n = 0;
  for (const auto& f : state().fonts) n += f->alive ? 1 : 0;
  return n;
}

std::int32_t liveTextEntryBrushes() {
  std::int32_t n = 0;
  for (const auto& b : state().brushes) n += b->alive ? 1 : 0;
  return n;
}

}  // namespace headless

}  // namespace QGUI::platform
