// An output file that appears under its final name only when it is complete: it is written
// under a temporary name in the same folder and renamed by commit(). Destroying an uncommitted
// PendingFile removes the temporary file, so no partial output is ever left behind, and an
// existing file of the final name stays untouched until the commit.
#pragma once

#include <filesystem>

namespace plughost {

class PendingFile {
 public:
  explicit PendingFile(std::filesystem::path target);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  const std::filesystem::path& target() const { return target_; }
  const std::filesystem::path& temporary() const { return temporary_; }
  // Moves the temporary file to the target name (replacing it). Throws
  // std::filesystem::filesystem_error.
  void commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  bool committed_ = false;
};

}  // namespace plughost
