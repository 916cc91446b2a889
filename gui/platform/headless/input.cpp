// Headless input: a scripted pointer, buttons, modifiers and clock. Sleeping advances the clock
// instead of waiting, and scripted steps take effect when the clock reaches them, so tracking
// loops run deterministically and at full speed.
#include "gui/platform/input.h"

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "gui/platform/headless/headless.h"
#include "gui/platform/headless/headless_state.h"

namespace QGUI::platform {

namespace {

constexpr std::uint32_t kButtonBits = physicalLeftButton | middleButton | physicalRightButton;

struct InputState {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::uint32_t bits = 0;
  bool swapped = false;
  std::uint32_t doubleClick = 500;
  std::uint32_t ticks = 0;
  std::uint32_t slept = 0;
  std::int32_t sleeps = 0;
  std::vector<headless::InputStep> steps;  // in the order they apply
  std::function<void(std::int32_t)> pollHook;
  std::int32_t polls = 0;
  std::int32_t pollLimit = 100000;
  bool limitReached = false;
};

InputState& input() {
  static InputState s;
  return s;
}

void applyDueSteps() {
  InputState& s = input();
  while (!s.steps.empty() && s.steps.front().atTick <= s.ticks) {
    const headless::InputStep step = s.steps.front();
    s.steps.erase(s.steps.begin());
    if (step.movesCursor) {
      s.x = step.x;
      s.y = step.y;
    }
    if (step.setsState) s.bits = step.state;
  }
}

}  // namespace

// ---- input.h ----------------------------------------------------------------------------------

std::uint32_t asyncInputState() {
  InputState& s = input();
  applyDueSteps();
  const std::int32_t index = s.polls++;
  if (s.pollHook) {
    auto hook = s.pollHook;  // the hook may replace itself
    hook(index);
    applyDueSteps();
  }
  if (s.polls > s.pollLimit) {
    s.limitReached = true;
    return s.bits & ~kButtonBits;
  }
  return s.bits;
}

bool mouseButtonsSwapped() {
  return input().swapped;
}

void cursorPosition(std::int32_t& x, std::int32_t& y) {
  applyDueSteps();
  x = input().x;
  y = input().y;
}

std::uint32_t doubleClickTime() {
  return input().doubleClick;
}

std::uint32_t tickCount() {
  applyDueSteps();
  return input().ticks;
}

void sleepMilliseconds(std::uint32_t milliseconds) {
  InputState& s = input();
  s.ticks += milliseconds;
  s.slept += milliseconds;
  ++s.sleeps;
  applyDueSteps();
}

bool dispatchOnePendingPaint() {
  return headless_detail::dispatchOnePaint();
}

namespace headless_detail {

void resetInput() {
  input() = InputState{};
}

}  // namespace headless_detail

// ---- scripting --------------------------------------------------------------------------------

namespace headless {

void reset() {
  headless_detail::resetWindows();
  headless_detail::resetInput();
}

void setCursorPosition(std::int32_t x, std::int32_t y) {
  input().x = x;
  input().y = y;
}

void setInputState(std::uint32_t bits) {
  input().bits = bits;
}

void setButtonsSwapped(bool swapped) {
  input().swapped = swapped;
}

void setDoubleClickTime(std::uint32_t milliseconds) {
  input().doubleClick = milliseconds;
}

void setTickCount(std::uint32_t ticks) {
  input().ticks = ticks;
  applyDueSteps();
}

void advanceTicks(std::uint32_t milliseconds) {
  input().ticks += milliseconds;
  applyDueSteps();
}

std::uint32_t sleptMilliseconds() {
  return input().slept;
}

std::int32_t sleepCount() {
  return input().sleeps;
}

void scheduleInput(const InputStep& step) {
  auto& steps = input().steps;
  // After every step of the same or an earlier tick: same-tick steps keep their order.
  auto at = std::upper_bound(
      steps.begin(), steps.end(), step.atTick,
      [](std::uint32_t tick, const InputStep& other) { return tick < other.atTick; });
  steps.insert(at, step);
  applyDueSteps();
}

void scheduleCursor(std::uint32_t atTick, std::int32_t x, std::int32_t y) {
  InputStep step;
  step.atTick = atTick;
  step.movesCursor = true;
  step.x = x;
  step.y = y;
  scheduleInput(step);
}

void scheduleState(std::uint32_t atTick, std::uint32_t bits) {
  InputStep step;
  step.atTick = atTick;
  step.setsState = true;
  step.state = bits;
  scheduleInput(step);
}

std::int32_t pendingInputSteps() {
  return static_cast<std::int32_t>(input().steps.size());
}

void setInputPollHook(std::function<void(std::int32_t)> hook) {
  input().pollHook = std::move(hook);
}

std::int32_t inputPollCount() {
  return input().polls;
}

void setInputPollLimit(std::int32_t limit) {
  input().pollLimit = limit;
}

bool inputPollLimitReached() {
  return input().limitReached;
}

}  // namespace headless

}  // namespace QGUI::platform
