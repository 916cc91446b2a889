// Temporary naming and the final rename of PendingFile.
#include "host/pending_file.h"

#include <atomic>
#include <chrono>
#include <string>
#include <system_error>

namespace plughost {

namespace {

// Distinct names for several pending files of one process and across processes started in the
// same folder at once.
std::string uniqueSuffix() {
  static std::atomic<unsigned> counter{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  return std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ull) + "-" +
         std::to_string(counter++);
}

}  // namespace

PendingFile::PendingFile(std::filesystem::path target) : target_(std::move(target)) {
  std::error_code ec;
  do {
    temporary_ = target_;
    temporary_ += ".partial-" + uniqueSuffix();
  } while (std::filesystem::exists(temporary_, ec));
}

PendingFile::~PendingFile() {
  if (committed_) return;
  std::error_code ec;
  std::filesystem::remove(temporary_, ec);
}

void PendingFile::commit() {
  std::filesystem::rename(temporary_, target_);
  committed_ = true;
}

}  // namespace plughost
