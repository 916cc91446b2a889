// The per-channel stereo delay: each output is its own input delayed by that channel's parameter.
#pragma once

#include "effects/delay_effect.h"

class Lunivex : public DelayEffect {
public:
  static constexpr VstInt32 kUniqueID = static_cast<VstInt32>(0xFF222002u);

  // audioMaster: the host's callback, may be null.
  explicit Lunivex(audioMasterCallback audioMaster);

  // Audio thread. Output 1 = input 1 delayed by parameter 0, output 2 = input 2 delayed by
  // parameter 1. Buffers may coincide; sampleFrames <= 0 does nothing.
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;
};
