#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace shootout {

// A fresh folder for one test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "shootout-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp failed";
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void write(const std::string& name, const std::string& content) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << content;
  }

  std::string read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  bool exists(const std::string& name) const {
    return std::filesystem::exists(path_ / name);
  }

  // Every regular file of the folder, by name.
  std::map<std::string, std::string> snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      if (entry.is_regular_file()) {
        const std::string name = entry.path().filename().string();
        files[name] = read(name);
      }
    }
    return files;
  }

 private:
  std::filesystem::path path_;
};

inline const char* const kSeasonFiles[] = {"players.lgs", "reports.lgs", "boxscores.lgs",
                                           "schedule.lgs", "teams.lgs"};

}  // namespace shootout
