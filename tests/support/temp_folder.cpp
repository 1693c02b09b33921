#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <set>

namespace testing_support {

TempFolder::TempFolder() {
  std::mt19937_64 random(std::random_device{}());
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const std::filesystem::path candidate = base / ("faldone-test-" + std::to_string(random() % 1000000000));
    std::error_code error;
    if (std::filesystem::create_directory(candidate, error)) {
      std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, error);
      path_ = Utf8Of(candidate / "");
    }
  }
  if (path_.empty()) ADD_FAILURE() << "no temporary folder could be made in " << base.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(PathOf(path_), ignored);
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::filesystem::path file = PathOf(path_ + name);
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const {
  std::ifstream in(PathOf(path_ + name), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool TempFolder::Exists(const std::string& name) const {
  return std::filesystem::exists(PathOf(path_ + name));
}

std::string TempFolder::Listing() const {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(PathOf(path_)))
    names.insert(Utf8Of(entry.path().filename()));
  std::string out;
  for (const auto& n : names) out += (out.empty() ? "" : " ") + n;
  return out;
}

}  // namespace testing_support
