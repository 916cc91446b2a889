// Gathering and printing of PluginInfo.
#include "host/plugin_info.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <iomanip>

#include "host/json_writer.h"

namespace plughost {

namespace {

struct FlagName {
  VstInt32 bit;
  const char* name;
};

constexpr std::array<FlagName, 11> kFlagNames{{
    {effFlagsHasEditor, "effFlagsHasEditor"},
    {effFlagsHasClip, "effFlagsHasClip"},
    {effFlagsHasVu, "effFlagsHasVu"},
    {effFlagsCanMono, "effFlagsCanMono"},
    {effFlagsCanReplacing, "effFlagsCanReplacing"},
    {effFlagsProgramChunks, "effFlagsProgramChunks"},
    {effFlagsIsSynth, "effFlagsIsSynth"},
    {effFlagsNoSoundInStop, "effFlagsNoSoundInStop"},
    {effFlagsExtIsAsync, "effFlagsExtIsAsync"},
    {effFlagsExtHasBuffer, "effFlagsExtHasBuffer"},
    {effFlagsCanDoubleReplacing, "effFlagsCanDoubleReplacing"},
}};

constexpr std::array<const char*, kPlugCategMaxCount> kCategoryNames{
    "unknown",     "effect",          "synth",  "analysis",  "mastering", "spacializer",
    "room effect", "surround effect", "restoration", "offline process", "shell", "generator"};

std::string hex(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

std::string canDoMeaning(VstIntPtr answer) {
  if (answer > 0) return "yes";
  if (answer < 0) return "no";
  return "don't know";
}

std::string padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

}  // namespace

const std::vector<std::string>& pluginCanDoTexts() {
  static const std::vector<std::string> texts{
      "sendVstEvents",  "sendVstMidiEvent",    "receiveVstEvents", "receiveVstMidiEvent",
      "receiveVstTimeInfo", "offline",         "midiProgramNames", "bypass",
  };
  return texts;
}

std::vector<std::string> flagNames(VstInt32 flags) {
  std::vector<std::string> names;
  auto remaining = static_cast<std::uint32_t>(flags);
  for (const FlagName& f : kFlagNames) {
    if (remaining & static_cast<std::uint32_t>(f.bit)) {
      names.emplace_back(f.name);
      remaining &= ~static_cast<std::uint32_t>(f.bit);
    }
  }
  for (int bit = 0; bit < 32; ++bit) {
    if (remaining & (1u << bit)) names.push_back(hex(1u << bit, 0));
  }
  return names;
}

std::string categoryName(VstInt32 category) {
  if (category < 0 || category >= kPlugCategMaxCount) return "unknown";
  return kCategoryNames[static_cast<std::size_t>(category)];
}

std::string uniqueIdText(VstInt32 id) {
  const auto u = static_cast<std::uint32_t>(id);
  std::string text = hex(u, 8);
  std::string chars;
  for (int shift = 24; shift >= 0; shift -= 8) {
    const auto c = static_cast<unsigned char>(u >> shift);
    if (!std::isprint(c) || c >= 0x80) return text;
    chars += static_cast<char>(c);
  }
  return text + " '" + chars + "'";
}

PluginInfo gatherPluginInfo(Plugin& plugin, float sampleRate, VstInt32 blockSize) {
  const AEffect& e = plugin.effect();
  PluginInfo info;
  info.path = plugin.path();
  info.effectName = plugin.effectName();
  info.vendor = plugin.vendorString();
  info.product = plugin.productString();
  info.vendorVersion = plugin.vendorVersion();
  info.uniqueId = e.uniqueID;
  info.version = e.version;
  info.vstVersion = plugin.vstVersion();
  info.category = plugin.plugCategory();
  info.numInputs = e.numInputs;
  info.numOutputs = e.numOutputs;
  info.numParams = e.numParams;
  info.numPrograms = e.numPrograms;
  info.flags = e.flags;
  info.initialDelay = e.initialDelay;
  info.tailSize = plugin.tailSize();
  info.sampleRate = sampleRate;
  info.blockSize = blockSize;

  for (VstInt32 i = 0; i < e.numParams; ++i) {
    ParameterInfo p;
    p.index = i;
    p.name = plugin.parameterName(i);
    p.label = plugin.parameterLabel(i);
    p.display = plugin.parameterDisplay(i);
    p.value = plugin.parameter(i);
    p.automatable = plugin.canBeAutomated(i);
    info.parameters.push_back(std::move(p));
  }

  bool indexed = true;
  for (VstInt32 i = 0; i < e.numPrograms && indexed; ++i) {
    if (auto name = plugin.programNameIndexed(i)) {
      info.programs.push_back(std::move(*name));
    } else {
      indexed = false;
    }
  }
  if (!indexed) {
    info.programs.clear();
    const VstInt32 current = plugin.program();
    for (VstInt32 i = 0; i < e.numPrograms; ++i) {
      plugin.setProgram(i);
      info.programs.push_back(plugin.programName());
    }
    if (e.numPrograms > 0) plugin.setProgram(current);
  }

  for (const std::string& text : pluginCanDoTexts()) {
    info.canDo.emplace_back(text, plugin.canDo(text));
  }
  info.editor = plugin.editorRect();
  return info;
}

void printPluginInfoText(const PluginInfo& info, std::ostream& out) {
  constexpr std::size_t w = 16;
  out << padded("Path:", w) << info.path << "\n"
      << padded("Effect:", w) << info.effectName << "\n"
      << padded("Vendor:", w) << info.vendor << "\n"
      << padded("Product:", w) << info.product << "\n"
      << padded("Vendor version:", w) << info.vendorVersion << "\n"
      << padded("Unique id:", w) << uniqueIdText(info.uniqueId) << "\n"
      << padded("Version:", w) << info.version << "\n"
      << padded("VST version:", w) << info.vstVersion << "\n"
      << padded("Category:", w) << info.category << " (" << categoryName(info.category) << ")\n"
      << padded("Inputs:", w) << info.numInputs << "\n"
      << padded("Outputs:", w) << info.numOutputs << "\n"
      << padded("Parameters:", w) << info.numParams << "\n"
      << padded("Programs:", w) << info.numPrograms << "\n"
      << padded("Flags:", w) << hex(static_cast<std::uint32_t>(info.flags), 8);
  for (const std::string& name : flagNames(info.flags)) out << " " << name;
  out << "\n"
      << padded("Initial delay:", w) << info.initialDelay << "\n"
      << padded("Tail size:", w) << info.tailSize << "\n"
      << padded("Sample rate:", w) << info.sampleRate << "\n"
      << padded("Block size:", w) << info.blockSize << "\n"
      << padded("Editor:", w);
  if (info.editor) {
    const ERect& r = *info.editor;
    out << (r.right - r.left) << " x " << (r.bottom - r.top) << " (top " << r.top << ", left "
        << r.left << ", bottom " << r.bottom << ", right " << r.right << ")\n";
  } else {
    out << "none\n";
  }

  out << "\nParameters:\n";
  out << "  " << padded("#", 5) << padded("name", 12) << padded("label", 10)
      << padded("display", 12) << padded("value", 12) << "automatable\n";
  for (const ParameterInfo& p : info.parameters) {
    char value[32];
    std::snprintf(value, sizeof value, "%.6f", static_cast<double>(p.value));
    out << "  " << padded(std::to_string(p.index), 5) << padded(p.name, 12)
        << padded(p.label, 10) << padded(p.display, 12) << padded(value, 12)
        << (p.automatable ? "yes" : "no") << "\n";
  }

  out << "\nPrograms:\n";
  for (std::size_t i = 0; i < info.programs.size(); ++i) {
    out << "  " << padded(std::to_string(i), 5) << info.programs[i] << "\n";
  }

  out << "\nCan do:\n";
  for (const auto& [text, answer] : info.canDo) {
    out << "  " << padded(text, 22) << std::setw(3) << answer << "  " << canDoMeaning(answer)
        << "\n";
  }
}

void printPluginInfoJson(const PluginInfo& info, std::ostream& out) {
  JsonWriter json(out);
  json.beginObject();
  json.field("path", info.path);
  json.field("effectName", info.effectName);
  json.field("vendor", info.vendor);
  json.field("product", info.product);
  json.field("vendorVersion", info.vendorVersion);
  json.field("uniqueId", static_cast<std::int64_t>(static_cast<std::uint32_t>(info.uniqueId)));
  json.field("uniqueIdHex", hex(static_cast<std::uint32_t>(info.uniqueId), 8));
  json.field("version", info.version);
  json.field("vstVersion", info.vstVersion);
  json.field("category", info.category);
  json.field("categoryName", categoryName(info.category));
  json.field("numInputs", info.numInputs);
  json.field("numOutputs", info.numOutputs);
  json.field("numParams", info.numParams);
  json.field("numPrograms", info.numPrograms);
  json.field("flags", info.flags);
  json.key("flagNames");
  json.beginArray();
  for (const std::string& name : flagNames(info.flags)) json.value(name);
  json.endArray();
  json.field("initialDelay", info.initialDelay);
  json.field("tailSize", info.tailSize);
  json.field("sampleRate", static_cast<double>(info.sampleRate));
  json.field("blockSize", info.blockSize);
  json.key("parameters");
  json.beginArray();
  for (const ParameterInfo& p : info.parameters) {
    json.beginObject();
    json.field("index", p.index);
    json.field("name", p.name);
    json.field("label", p.label);
    json.field("display", p.display);
    json.field("value", static_cast<double>(p.value));
    json.field("automatable", p.automatable);
    json.endObject();
  }
  json.endArray();
  json.key("programs");
  json.beginArray();
  for (const std::string& name : info.programs) json.value(name);
  json.endArray();
  json.key("canDo");
  json.beginObject();
  for (const auto& [text, answer] : info.canDo) json.field(text, static_cast<std::int64_t>(answer));
  json.endObject();
  json.key("editor");
  if (info.editor) {
    const ERect& r = *info.editor;
    json.beginObject();
    json.field("top", static_cast<int>(r.top));
    json.field("left", static_cast<int>(r.left));
    json.field("bottom", static_cast<int>(r.bottom));
    json.field("right", static_cast<int>(r.right));
    json.field("width", r.right - r.left);
    json.field("height", r.bottom - r.top);
    json.endObject();
  } else {
    json.null();
  }
  json.endObject();
}

}  // namespace plughost
