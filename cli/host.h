#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace tidora::cli {

// What either face says when another cleaning run holds the lock.
inline constexpr std::string_view kAnotherRunText =
    "Another cleaning run is going on. Try again when it is over.";

// What the command line needs of the system beside the cleaning services: the Windows side lives
// in app/, the tests give their own.
class Host {
 public:
  virtual ~Host() = default;
  // One line for whoever started the program; dropped when no one can read it.
  virtual void Print(std::string_view line) = 0;
  // Writes the file whole, replacing any before it, so that a reader never sees half of it;
  // false when it could not.
  virtual bool WriteWhole(const std::string& path, std::string_view text) = 0;
  // One cleaning run at a time in a user's session: true when this program now holds it, until
  // the program ends; false while another run holds it.
  virtual bool TakeRunLock() = 0;
  virtual std::chrono::system_clock::time_point Now() { return std::chrono::system_clock::now(); }
};

}  // namespace tidora::cli
