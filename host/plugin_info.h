// Everything `plughost info` reports about a plug-in, gathered once through the typed requests,
// and its two presentations: aligned text and JSON.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "host/plugin.h"

namespace plughost {

struct ParameterInfo {
  VstInt32 index = 0;
  std::string name;
  std::string label;
  std::string display;
  float value = 0.0f;
  bool automatable = false;
};

struct PluginInfo {
  std::string path;
  std::string effectName;
  std::string vendor;
  std::string product;
  VstInt32 vendorVersion = 0;
  VstInt32 uniqueId = 0;
  VstInt32 version = 0;  // the record's version field
  VstInt32 vstVersion = 0;
  VstInt32 category = 0;
  VstInt32 numInputs = 0;
  VstInt32 numOutputs = 0;
  VstInt32 numParams = 0;
  VstInt32 numPrograms = 0;
  VstInt32 flags = 0;
  VstInt32 initialDelay = 0;
  VstInt32 tailSize = 0;
  float sampleRate = 0.0f;
  VstInt32 blockSize = 0;
  std::vector<ParameterInfo> parameters;
  std::vector<std::string> programs;
  std::vector<std::pair<std::string, VstIntPtr>> canDo;
  std::optional<ERect> editor;
};

// The plug-in texts asked with effCanDo, in the order shown.
const std::vector<std::string>& pluginCanDoTexts();
// Names of the set bits of `flags` (unknown bits as hexadecimal numbers).
std::vector<std::string> flagNames(VstInt32 flags);
// "spacializer" for 5; "unknown" outside the table.
std::string categoryName(VstInt32 category);
// "0xFF222002", and "'abcd'" after it when all four bytes are printable.
std::string uniqueIdText(VstInt32 id);

// Asks an opened plug-in (rate and block size set) for everything above. Reads the parameters
// before the programs: a plug-in without indexed program names is switched through its programs
// (and back) to read them.
PluginInfo gatherPluginInfo(Plugin& plugin, float sampleRate, VstInt32 blockSize);

void printPluginInfoText(const PluginInfo& info, std::ostream& out);
void printPluginInfoJson(const PluginInfo& info, std::ostream& out);

}  // namespace plughost
