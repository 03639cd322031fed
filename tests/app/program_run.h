#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_file.h"

namespace lumenquill::testing {

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

// The status std::system and waitpid report for a program that exited with this code.
inline int ExitStatus(int code) { return code << 8; }

// Runs a shell command line without a display and with standard input from /dev/null; its
// output is kept in the folder.
inline CommandResult RunCommand(const std::string& command, const std::string& folder) {
  const std::string out = folder + "/stdout";
  const std::string err = folder + "/stderr";
  const int status = std::system(("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " +
                                  command + " </dev/null >" + out + " 2>" + err)
                                     .c_str());
  return {status, ReadWholeFile(out), ReadWholeFile(err)};
}

// A fresh folder for one test: the folder of a temporary file that lives as long as it.
class WorkFolder {
 public:
  const std::string& path() const { return path_; }

  // Copies tests/data/name.pdf into the folder (or a folder below it) as the given name.
  std::string AddFixture(const std::string& name, const std::string& as) const {
    const std::string target = path_ + "/" + as;
    std::filesystem::copy_file(std::string(LUMENQUILL_TEST_DATA_DIR) + "/" + name + ".pdf", target);
    return target;
  }

 private:
  TempFile anchor_{"", "anchor"};
  std::string path_ = std::filesystem::path(anchor_.path()).parent_path().string();
};

}  // namespace lumenquill::testing
