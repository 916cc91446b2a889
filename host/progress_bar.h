// A one-line progress bar redrawn in place with a carriage return, for terminals only; it redraws
// only when the shown percentage changes, so a long file costs at most a hundred writes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace plughost {

class ProgressBar {
 public:
  // `total` frames; 0 or less when the length is unknown (a frame count is shown instead).
  ProgressBar(std::ostream& out, std::int64_t total, int width = 40);

  void update(std::int64_t done);
  // Draws the final state and ends the line.
  void finish();

  // The text of the bar without the carriage return, e.g. "[##########----------]  50%".
  static std::string render(std::int64_t done, std::int64_t total, int width);

 private:
  std::ostream& out_;
  std::int64_t total_;
  int width_;
  std::string shown_;
  std::int64_t done_ = 0;
};

}  // namespace plughost
