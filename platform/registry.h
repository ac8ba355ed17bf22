#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tidora::platform {

// HKCU, HKLM, HKU, HKCR and HKCC. Only HKLM has two views; HKCR merges the user's classes over
// the machine's, as the system shows it.
enum class RegistryRoot { CurrentUser, LocalMachine, Users, ClassesRoot, CurrentConfig };

enum class ValueType { String, ExpandString, MultiString, Dword, Qword, Binary, Other };

// A read of the wrong type or a write the system refuses. Handlers let it escape to the
// window procedure, which shows its text and goes on.
class RegistryError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An open key. Closing happens when the object goes.
class RegistryKey {
 public:
  virtual ~RegistryKey() = default;

  virtual std::vector<std::string> ValueNames() const = 0;
  virtual std::vector<std::string> SubkeyNames() const = 0;
  // nullopt when there is no such value.
  virtual std::optional<ValueType> TypeOf(std::string_view name) const = 0;
  virtual bool HasSubkey(std::string_view name) const = 0;
  bool HasValue(std::string_view name) const { return TypeOf(name).has_value(); }

  // nullopt when the value is missing; RegistryError when it is not a string value.
  // Expandable strings come as stored, references unexpanded.
  virtual std::optional<std::string> ReadString(std::string_view name) const = 0;
  // nullopt when the value is missing; RegistryError when it is not a DWORD.
  virtual std::optional<std::uint32_t> ReadDword(std::string_view name) const = 0;

  // Both replace a value of any type; RegistryError when the system refuses.
  virtual void WriteString(std::string_view name, std::string_view data) = 0;
  virtual void WriteDword(std::string_view name, std::uint32_t data) = 0;

  // False when the value is missing or cannot be deleted.
  virtual bool DeleteValue(std::string_view name) = 0;

  // True when the subkey is a registry link, which a walk must not follow (it can lead back up),
  // and when it cannot be looked at (or is not there), since it may be one.
  virtual bool SubkeyIsLink(std::string_view name) const = 0;
};

// HKLM\Software has two views on 64-bit Windows: 32-bit programs (most add-ons and hijackers)
// write to the 32-bit one. Elsewhere, and under HKCU, there is one view.
enum class RegistryView {
  kDefault,  // the program's own view
  k64,
  k32,
};

enum class KeyAccess {
  kFull,
  kRead,  // for presence tests and listings: a standard user never gets full access to HKLM
};

class Registry {
 public:
  virtual ~Registry() = default;

  // nullptr when the key is missing, refuses the access asked for, or the path is empty (never
  // the root itself): callers treat all of these as "absent".
  virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view path,
                                               KeyAccess access, RegistryView view) = 0;
  // Opens for full access, creating the missing keys on the way; nullptr when refused or when
  // the path is empty.
  virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, std::string_view path,
                                                 RegistryView view) = 0;
  // Deletes the key with everything beneath it, depth first, asking only for the rights that
  // takes. A link is left in place, never followed, and so is a key that cannot be looked at.
  // True only when the key is gone whole; what could be deleted is deleted either way.
  virtual bool DeleteKeyTree(RegistryRoot root, std::string_view path, RegistryView view) = 0;
  // Whether a tree deletion could delete the key itself once it has no subkeys: it opens as
  // itself with the rights that takes and is no link. False for a missing key.
  virtual bool KeyDeletable(RegistryRoot root, std::string_view path, RegistryView view) = 0;
  // The views of HKLM that exist here: k64 and k32 on 64-bit Windows, kDefault alone elsewhere.
  virtual std::vector<RegistryView> MachineViews() const = 0;

  std::unique_ptr<RegistryKey> Open(RegistryRoot root, std::string_view path,
                                    RegistryView view = RegistryView::kDefault) {
    return OpenKey(root, path, KeyAccess::kFull, view);
  }
  std::unique_ptr<RegistryKey> OpenForRead(RegistryRoot root, std::string_view path,
                                           RegistryView view = RegistryView::kDefault) {
    return OpenKey(root, path, KeyAccess::kRead, view);
  }
  std::unique_ptr<RegistryKey> Create(RegistryRoot root, std::string_view path,
                                      RegistryView view = RegistryView::kDefault) {
    return CreateKey(root, path, view);
  }
  bool DeleteTree(RegistryRoot root, std::string_view path,
                  RegistryView view = RegistryView::kDefault) {
    return DeleteKeyTree(root, path, view);
  }
  // The views a key under root is to be visited in: every machine view for HKLM, one for HKCU.
  std::vector<RegistryView> ViewsOf(RegistryRoot root) const {
    if (root == RegistryRoot::LocalMachine) return MachineViews();
    return {RegistryView::kDefault};
  }
};

// A value's text; nullopt when it is missing or stored as anything but text, also when another
// program rewrote it with another type after it was looked at: a planted value can neither stop
// a listing or a sweep nor pass for text.
std::optional<std::string> TextValue(const RegistryKey& key, std::string_view name);

// Key paths are always taken from their root: "\Software\X" and "Software\X" name the same key.
std::string_view KeyPathFromRoot(std::string_view path);

}  // namespace tidora::platform
