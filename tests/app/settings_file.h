#pragma once

#include <stdlib.h>

#include <string>

#include "support/environment.h"
#include "support/temp_file.h"

namespace lumenquill::testing {

// A settings file with the given text, named by LUMENQUILL_INI while the object lives.
class SettingsFile {
 public:
  explicit SettingsFile(const std::string& text) : file_(text, "lumenquill.ini") {
    SetEnvironment("LUMENQUILL_INI", file_.path().c_str());
  }
  ~SettingsFile() { UnsetEnvironment("LUMENQUILL_INI"); }

  const std::string& path() const { return file_.path(); }

 private:
  TempFile file_;
};

}  // namespace lumenquill::testing
