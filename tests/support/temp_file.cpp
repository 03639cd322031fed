#include "support/temp_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace lumenquill::testing {

TempFile::TempFile(const std::string& content, const std::string& name) {
  std::random_device entropy;
  for (int attempt = 0;; ++attempt) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("lumenquill-" + std::to_string(entropy()));
    if (std::filesystem::create_directory(folder)) {
      folder_ = folder.string();
      break;
    }
    if (attempt == 99) throw std::runtime_error("no temporary folder could be made");
  }
  path_ = folder_ + "/" + name;
  std::ofstream(path_, std::ios::binary) << content;
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
  std::filesystem::remove_all(folder_, ignored);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void MakeReadOnly(const std::string& path) {
  using std::filesystem::perms;
  std::filesystem::permissions(path, perms::owner_read | perms::group_read | perms::others_read);
}

std::vector<std::string> NamesBeside(const std::string& path) {
  std::vector<std::string> names;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(path).parent_path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace lumenquill::testing
