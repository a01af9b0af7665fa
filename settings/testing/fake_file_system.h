#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings/testing/fake_profile_file.h"

// A file system for tests: files that can be read are those listed and those the profile file
// holds, whose bytes it reads and replaces (not those of paths the profile file cannot write);
// folders are made unless listed as impossible.
class FakeFileSystem : public FileSystem {
 public:
  explicit FakeFileSystem(FakeProfileFile& profile) : profile_(profile) {}

  bool IsReadableFile(const std::string& path) override;
  bool CreateFolder(const std::string& path) override;
  std::optional<std::string> ReadBytes(const std::string& path) override;
  bool ReplaceWithBytes(const std::string& path, const std::string& bytes) override;

  std::set<std::string> readable;
  std::vector<std::string> asked;     // every path asked about, in order
  std::set<std::string> folders;      // folders made
  std::set<std::string> uncreatable;  // folders that cannot be made

 private:
  FakeProfileFile& profile_;
};
