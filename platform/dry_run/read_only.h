#pragma once

// The real services as recording may reach them: each facade holds its service privately and
// hands out its reads alone, so no recording code can compile a call that changes the system.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/url_cache.h"

namespace tidora::dry_run {

class RegistryReader {
 public:
  explicit RegistryReader(platform::Registry& registry) : registry_(registry) {}
  // Asking for full access changes nothing: it tells whether the real key would grant it.
  std::unique_ptr<const platform::RegistryKey> OpenKey(platform::RegistryRoot root,
                                                       std::string_view path,
                                                       platform::KeyAccess access,
                                                       platform::RegistryView view) const {
    return registry_.OpenKey(root, path, access, view);
  }
  bool KeyDeletable(platform::RegistryRoot root, std::string_view path,
                    platform::RegistryView view) const {
    return registry_.KeyDeletable(root, path, view);
  }
  std::vector<platform::RegistryView> MachineViews() const { return registry_.MachineViews(); }

 private:
  platform::Registry& registry_;
};

class FileReader {
 public:
  explicit FileReader(platform::FileSystem& files) : files_(files) {}
  platform::FindEnd Find(std::string_view pattern, const platform::FoundEntryVisitor& visit) const {
    return files_.Find(pattern, visit);
  }
  std::optional<std::uint32_t> Attributes(std::string_view path) const {
    return files_.Attributes(path);
  }
  platform::FileContents ReadFile(std::string_view path, std::uint64_t max_bytes) const {
    return files_.ReadFile(path, max_bytes);
  }
  std::string CanonicalPath(std::string_view path) const { return files_.CanonicalPath(path); }
  bool CouldRemoveNow(std::string_view path) const { return files_.CouldRemoveNow(path); }
  std::string TempFolder() const { return files_.TempFolder(); }
  std::string WindowsFolder() const { return files_.WindowsFolder(); }
  std::string SystemFolder() const { return files_.SystemFolder(); }

 private:
  platform::FileSystem& files_;
};

// Questions and messages go to the user, not the system: they pass in either mode.
class ShellReader {
 public:
  explicit ShellReader(platform::Shell& shell) : shell_(shell) {}
  bool Confirm(platform::WindowId owner, std::string_view text, std::string_view caption) const {
    return shell_.Confirm(owner, text, caption);
  }
  void ShowMessage(platform::WindowId owner, std::string_view text,
                   std::string_view caption) const {
    shell_.ShowMessage(owner, text, caption);
  }
  std::optional<platform::RecycleBinContents> QueryRecycleBin() const {
    return shell_.QueryRecycleBin();
  }
  std::string RecentFolder() const { return shell_.RecentFolder(); }
  std::string ApplicationDataFolder() const { return shell_.ApplicationDataFolder(); }
  std::string ProgramFolder() const { return shell_.ProgramFolder(); }
  std::string KnownFolderPath(platform::KnownFolder folder) const {
    return shell_.KnownFolderPath(folder);
  }
  std::vector<platform::WindowId> FindTopWindows(std::string_view class_name) const {
    return shell_.FindTopWindows(class_name);
  }
  void Pause(int milliseconds) const { shell_.Pause(milliseconds); }

 private:
  platform::Shell& shell_;
};

// Closing an enumeration frees a handle of this process; the cache itself stays as it is.
class UrlCacheReader {
 public:
  explicit UrlCacheReader(platform::UrlCache& cache) : cache_(cache) {}
  bool Load() const { return cache_.Load(); }
  platform::UrlCacheRead FindFirst(std::optional<std::string_view> pattern,
                                   std::uint32_t type_filter, std::int64_t group) const {
    return cache_.FindFirst(pattern, type_filter, group);
  }
  platform::UrlCacheRead FindNext(platform::UrlCacheFind find) const {
    return cache_.FindNext(find);
  }
  bool CloseFind(platform::UrlCacheFind find) const { return cache_.CloseFind(find); }
  double LocalDateTime(std::uint64_t utc_ticks) const { return cache_.LocalDateTime(utc_ticks); }

 private:
  platform::UrlCache& cache_;
};

}  // namespace tidora::dry_run
