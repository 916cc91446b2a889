// The part shared by the two delay effects: two parameters (one delay per output channel), a
// bank of 16 programs, two delay lines of doubles, the texts the host asks for, and the frame
// loop. Each library's effect class adds its identity and says which input feeds line 2.
//
// Threads: the parameter side (setParameter on any thread, one caller at a time, and
// setSampleRate) is the only writer of the parameter values and of the delays in samples it
// publishes for them; the process calls (audio thread) are the only writer of the write
// position. The loop derives each read position from the write position and the delay it loads
// in that frame, so a change is never overwritten by the loop and reaches the next frame.
// setSampleRate replaces the lines and runs only while processing is stopped, as hosts do.
#pragma once

#include <atomic>
#include <memory>

#include "effects/delay_program.h"
#include "shell/audio_effect_x.h"

class DelayEffect : public AudioEffectX {
public:
  static constexpr VstInt32 kNumPrograms = 16;
  static constexpr VstInt32 kNumParams = 2;
  static constexpr VstInt32 kVendorVersion = 2000;
  // vendorSpecific's mouse-wheel request: index and value.
  static constexpr VstInt32 kWheelIndex = qlnFourCC('s', 't', 'C', 'A');
  static constexpr VstInt32 kWheelValue = qlnFourCC('W', 'h', 'e', 'e');

  ~DelayEffect() override;

  // Resizes the lines for the rate (see sanitizeSampleRate) and clears them; also sets the
  // library-wide values. Only while processing is stopped.
  void setSampleRate(float sampleRate) override;

  // Index 0 or 1: value clamped to 0..1 (not-a-number counts as 0) is stored into the effect
  // and the current program. Other indices change nothing.
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  // program: 0..15; anything else is ignored.
  void setProgram(VstInt32 program) override;
  // name: cut to 23 characters; null is ignored.
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParamLabel(VstInt32 index, char* label) override;
  // The delay in samples of this instance's lines, "%.0f".
  void getParamDisplay(VstInt32 index, char* text) override;
  void getParamName(VstInt32 index, char* text) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;
  // The mouse-wheel request, handed to the editor; 0 for everything else.
  VstIntPtr vendorSpecific(VstInt32 lArg, VstIntPtr lArg2, void* ptrArg, float floatArg) override;
  VstPlugCategory getPlugCategory() override;

  // Inspection, for tests and the editor; any thread, except while the rate is being changed.
  // Samples in each line (the library-wide maximum delay when they were allocated).
  VstInt32 lineLength() const { return lineLen; }
  VstInt32 writePosition() const { return writePos.load(std::memory_order_relaxed); }
  // Where the next frame reads line `index` (0 or 1), 0..lineLength()-1; 0 without lines.
  VstInt32 readPosition(VstInt32 index) const;
  // Delay in samples a parameter value gives on lines of `length` samples: trunc(value x
  // length), exact in double precision. value: 0..1.
  static VstInt32 delaySamples(float value, VstInt32 length) {
    return static_cast<VstInt32>(static_cast<double>(value) * length);
  }
  // What the loop is told for a parameter value: kPassThrough for exactly 0 (either sign),
  // otherwise delaySamples, 0..length; 0 and length both mean the longest delay.
  static constexpr VstInt32 kPassThrough = -1;
  static VstInt32 publishedDelay(float value, VstInt32 length) {
    return value == 0.0f ? kPassThrough : delaySamples(value, length);
  }
  // The bank entry `program`, 0..15.
  const DelayProgram& programAt(VstInt32 program) const { return programs[program]; }

protected:
  // uniqueID: the library's identifier; name: its effect and product string (static storage).
  DelayEffect(audioMasterCallback audioMaster, VstInt32 uniqueID, const char* name);

  // The frame loop of both precisions. Route::second(inputs) is the input channel that feeds
  // line 2 (and, with a zero delay, output 2). Audio thread.
  template <class Route, class Sample>
  void processLines(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);

private:
  // Replaces both lines by silent ones of n samples (the new gMaxDelaySamples); positions
  // restart at 0 and the delays are published again for the new length.
  void resetLines(VstInt32 n);
  // Publishes the delay of parameter `index` (0 or 1) for the current lines.
  void publishDelay(VstInt32 index);
  // Where the delay editor will hear of parameter changes (index -1: the rate changed).
  void notifyEditor(VstInt32 index, float value);

  const char* effectName;
  std::unique_ptr<DelayProgram[]> programs;  // kNumPrograms entries
  std::atomic<float> delayLeft{0.0f};        // parameter 0, 0..1
  std::atomic<float> delayRight{0.0f};       // parameter 1, 0..1
  std::atomic<VstInt32> delayFramesLeft{kPassThrough};   // publishedDelay(delayLeft, lineLen)
  std::atomic<VstInt32> delayFramesRight{kPassThrough};  // publishedDelay(delayRight, lineLen)
  std::unique_ptr<double[]> lineLeft;        // feeds output 1; lineLen samples
  std::unique_ptr<double[]> lineRight;       // feeds output 2; lineLen samples
  VstInt32 lineLen = 0;
  // Both lines are written in step, so one write position serves both; 0..lineLen-1.
  std::atomic<VstInt32> writePos{0};
};

template <class Route, class Sample>
void DelayEffect::processLines(Sample** inputs, Sample** outputs, VstInt32 sampleFrames) {
  if (sampleFrames <= 0 || inputs == nullptr || outputs == nullptr) return;
  const Sample* in1 = inputs[0];
  const Sample* in2 = Route::second(inputs);
  Sample* out1 = outputs[0];
  Sample* out2 = outputs[1];
  if (in1 == nullptr || in2 == nullptr || out1 == nullptr || out2 == nullptr) return;

  // Every frame reads both inputs before it writes either output, so any of the buffers may be
  // the same (in place, or outputs crossed over the inputs).
  const VstInt32 n = lineLen;
  if (n == 0) {
    // Lines of no length (rate below 100 Hz): every delay is 0 samples.
    for (VstInt32 i = 0; i < sampleFrames; ++i) {
      const Sample x1 = in1[i];
      const Sample x2 = in2[i];
      out1[i] = x1;
      out2[i] = x2;
    }
    return;
  }

  double* const left = lineLeft.get();
  double* const right = lineRight.get();
  VstInt32 w = writePos.load(std::memory_order_relaxed);
  for (VstInt32 i = 0; i < sampleFrames; ++i) {
    const VstInt32 dLeft = delayFramesLeft.load(std::memory_order_relaxed);
    const VstInt32 dRight = delayFramesRight.load(std::memory_order_relaxed);
    const Sample x1 = in1[i];
    const Sample x2 = in2[i];
    Sample y1 = x1;
    Sample y2 = x2;
    // d = 0 and d = n both read the sample about to be overwritten, the one n frames old.
    if (dLeft != kPassThrough) {
      VstInt32 r = w - dLeft;
      if (r < 0) r += n;
      y1 = static_cast<Sample>(left[r]);
    }
    if (dRight != kPassThrough) {
      VstInt32 r = w - dRight;
      if (r < 0) r += n;
      y2 = static_cast<Sample>(right[r]);
    }
    left[w] = x1;
    right[w] = x2;
    out1[i] = y1;
    out2[i] = y2;
    if (++w == n) w = 0;
  }
  writePos.store(w, std::memory_order_relaxed);
}
