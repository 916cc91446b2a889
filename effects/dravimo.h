// The split delay: input 1 feeds both lines, so the outputs are two independently delayed copies
// of it; input 2 is never read.
#pragma once

#include "effects/delay_effect.h"

class Dravimo : public DelayEffect {
public:
  static constexpr VstInt32 kUniqueID = static_cast<VstInt32>(0xFF222001u);

  // audioMaster: the host's callback, may be null.
  explicit Dravimo(audioMasterCallback audioMaster);

  // Audio thread. Output 1 = input 1 delayed by parameter 0, output 2 = input 1 delayed by
  // parameter 1. Buffers may coincide; sampleFrames <= 0 does nothing.
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;
};
