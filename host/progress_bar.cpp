// Rendering and redraw throttling of the progress bar.
#include "host/progress_bar.h"

#include <algorithm>

namespace plughost {

ProgressBar::ProgressBar(std::ostream& out, std::int64_t total, int width)
    : out_(out), total_(total), width_(std::max(width, 1)) {}

std::string ProgressBar::render(std::int64_t done, std::int64_t total, int width) {
  if (total <= 0) return std::to_string(std::max<std::int64_t>(done, 0)) + " frames";
  const std::int64_t clamped = std::clamp<std::int64_t>(done, 0, total);
  // Integer arithmetic: a bar is never shown full, nor 100%, before the last frame.
  const auto filled = static_cast<int>(clamped * width / total);
  const auto percent = static_cast<int>(clamped * 100 / total);
  std::string text = "[";
  text.append(static_cast<std::size_t>(filled), '#');
  text.append(static_cast<std::size_t>(width - filled), '-');
  text += "] ";
  const std::string number = std::to_string(percent);
  text.append(3 - std::min<std::size_t>(number.size(), 3), ' ');
  text += number + "%";
  return text;
}

void ProgressBar::update(std::int64_t done) {
  done_ = done;
  std::string text = render(done, total_, width_);
  if (text == shown_) return;
  out_ << '\r' << text << std::flush;
  shown_ = std::move(text);
}

void ProgressBar::finish() {
  update(total_ > 0 ? total_ : done_);
  out_ << '\n' << std::flush;
}

}  // namespace plughost
