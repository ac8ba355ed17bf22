#pragma once

#include "platform/file_system.h"

namespace tidora::win32 {

class Win32FileSystem final : public platform::FileSystem {
 public:
  platform::FindEnd Find(std::string_view pattern,
                         const platform::FoundEntryVisitor& visit) override;
  platform::FileContents ReadFile(std::string_view path, std::uint64_t max_bytes) override;
  bool RemoveFile(std::string_view path) override;
  bool RemoveFolder(std::string_view path) override;
  bool SetAttributes(std::string_view path, std::uint32_t attributes) override;
  std::optional<std::uint32_t> Attributes(std::string_view path) override;
  std::string CanonicalPath(std::string_view path) override;
  bool CouldRemoveNow(std::string_view path) override;
  std::string TempFolder() override;
  std::string WindowsFolder() override;
  std::string SystemFolder() override;
};

}  // namespace tidora::win32
