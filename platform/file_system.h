#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tidora::platform {

namespace attribute {
inline constexpr std::uint32_t kReadOnly = 0x01;
inline constexpr std::uint32_t kHidden = 0x02;
inline constexpr std::uint32_t kSystem = 0x04;
inline constexpr std::uint32_t kVolumeLabel = 0x08;
inline constexpr std::uint32_t kDirectory = 0x10;
inline constexpr std::uint32_t kArchive = 0x20;
inline constexpr std::uint32_t kNormal = 0x80;
inline constexpr std::uint32_t kReparsePoint = 0x400;
}  // namespace attribute

struct FoundEntry {
  std::string name;  // the long name, without its folder
  std::uint32_t attributes = 0;
  std::uint64_t size = 0;  // of a file, in bytes, as listed
};

enum class FindEnd {
  kListed,   // every match was visited
  kStopped,  // the visitor asked to stop
  kNoMatch,  // nothing matched, or the folder does not exist
  kFailed,   // the listing broke off with an error
};

// Return false to stop the listing.
using FoundEntryVisitor = std::function<bool(const FoundEntry&)>;

// A whole file read into memory, or why not.
struct FileContents {
  enum class Status {
    kRead,
    kMissing,     // nothing there, or a folder
    kTooLarge,    // over the limit asked for: refused unread
    kUnreadable,  // no rights, in use without read sharing, or the read broke off
  };
  Status status = Status::kMissing;
  std::string bytes;  // kRead only
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Lists a folder + wildcard pattern ("C:\Temp\*.tmp") as the system matches it, 8.3 short names
  // included, without "." and "..". Visited entries may be deleted during the listing.
  // Applies no attribute filter: see SearchFolder for the product's masks.
  virtual FindEnd Find(std::string_view pattern, const FoundEntryVisitor& visit) = 0;

  // Reads a whole file of at most max_bytes; a larger one is refused before any byte is read.
  virtual FileContents ReadFile(std::string_view path, std::uint64_t max_bytes) = 0;

  // A plain deletion that leaves attributes alone: read-only, locked or missing files refuse.
  virtual bool RemoveFile(std::string_view path) = 0;
  // Removes an empty folder. False when it holds anything, is missing, or is itself a junction
  // or a link: a link is never removed in place of a folder, nor anything through it.
  virtual bool RemoveFolder(std::string_view path) = 0;
  virtual bool SetAttributes(std::string_view path, std::uint32_t attributes) = 0;
  // nullopt when nothing exists at the path.
  virtual std::optional<std::uint32_t> Attributes(std::string_view path) = 0;
  // What names one file whichever way it is written: long names, case-folded, doubled
  // separators and a trailing one removed. The part of the path that does not exist is folded
  // as given.
  virtual std::string CanonicalPath(std::string_view path) = 0;
  // Whether the file could be opened for deletion now with every kind of sharing allowed: false
  // while another program holds it without delete sharing. Says nothing of the read-only bit.
  virtual bool CouldRemoveNow(std::string_view path) = 0;

  // The system folders, as the system gives them (the temporary folder with its trailing
  // backslash); empty when the system gives none.
  virtual std::string TempFolder() = 0;
  virtual std::string WindowsFolder() = 0;
  virtual std::string SystemFolder() = 0;

  bool IsFolder(std::string_view path) {
    auto found = Attributes(path);
    return found && (*found & attribute::kDirectory);
  }
  bool IsFile(std::string_view path) {
    auto found = Attributes(path);
    return found && !(*found & attribute::kDirectory);
  }
};

}  // namespace tidora::platform
