#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/unique_handles.h"
#include "platform/win32/utf.h"
#include "platform/win32/wow64.h"

namespace tidora::win32 {

namespace {

bool IsLinkAsSeenFrom(HKEY parent, const std::wstring& name, REGSAM view);

using platform::RegistryError;
using platform::ValueType;

HKEY RootHandle(platform::RegistryRoot root) {
  switch (root) {
    case platform::RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case platform::RegistryRoot::Users:
      return HKEY_USERS;
    case platform::RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case platform::RegistryRoot::CurrentConfig:
      return HKEY_CURRENT_CONFIG;
    case platform::RegistryRoot::LocalMachine:
      break;
  }
  return HKEY_LOCAL_MACHINE;
}

REGSAM ViewFlag(platform::RegistryView view) {
  switch (view) {
    case platform::RegistryView::k64:
      return KEY_WOW64_64KEY;
    case platform::RegistryView::k32:
      return KEY_WOW64_32KEY;
    case platform::RegistryView::kDefault:
      break;
  }
  return 0;
}

ValueType ToValueType(DWORD type) {
  switch (type) {
    case REG_SZ:
      return ValueType::String;
    case REG_EXPAND_SZ:
      return ValueType::ExpandString;
    case REG_MULTI_SZ:
      return ValueType::MultiString;
    case REG_DWORD:
      return ValueType::Dword;
    case REG_QWORD:
      return ValueType::Qword;
    case REG_BINARY:
      return ValueType::Binary;
    default:
      return ValueType::Other;
  }
}

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// Names of values (or subkeys) by index, resizing and retrying when one grows between calls.
template <typename EnumerateAt>
std::vector<std::string> EnumerateNames(EnumerateAt enumerate_at) {
  std::vector<std::string> names;
  std::vector<wchar_t> buffer(256);
  for (DWORD index = 0;;) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG status = enumerate_at(index, buffer.data(), &length);
    if (status == ERROR_MORE_DATA && buffer.size() < 65536) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    names.push_back(Narrow(std::wstring_view(buffer.data(), length)));
    ++index;
  }
  return names;
}

std::string ValueLabel(std::string_view name) {
  return "'" + std::string(name) + "'";
}

class Win32RegistryKey final : public platform::RegistryKey {
 public:
  explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}

  std::vector<std::string> ValueNames() const override {
    return EnumerateNames([this](DWORD index, wchar_t* name, DWORD* length) {
      return RegEnumValueW(key_.get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
  }

  std::vector<std::string> SubkeyNames() const override {
    return EnumerateNames([this](DWORD index, wchar_t* name, DWORD* length) {
      return RegEnumKeyExW(key_.get(), index, name, length, nullptr, nullptr, nullptr, nullptr);
    });
  }

  std::optional<ValueType> TypeOf(std::string_view name) const override {
    DWORD type = 0;
    if (RegQueryValueExW(key_.get(), Widen(name).c_str(), nullptr, &type, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      return std::nullopt;
    }
    return ToValueType(type);
  }

  bool SubkeyIsLink(std::string_view name) const override {
    return IsLinkAsSeenFrom(key_.get(), Widen(name), 0);
  }

  bool HasSubkey(std::string_view name) const override {
    HKEY subkey = nullptr;
    if (RegOpenKeyExW(key_.get(), Widen(name).c_str(), 0, KEY_READ, &subkey) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(subkey);
    return true;
  }

  std::optional<std::string> ReadString(std::string_view name) const override {
    auto value = Read(name);
    if (!value) return std::nullopt;
    if (value->type != REG_SZ && value->type != REG_EXPAND_SZ) {
      throw RegistryError("Invalid data type for " + ValueLabel(name));
    }
    std::wstring_view text(reinterpret_cast<const wchar_t*>(value->data.data()),
                           value->data.size() / sizeof(wchar_t));
    // Stored data may or may not carry its terminator; take the text up to the first NUL.
    text = text.substr(0, text.find(L'\0'));
    return Narrow(text);
  }

  std::optional<std::uint32_t> ReadDword(std::string_view name) const override {
    auto value = Read(name);
    if (!value) return std::nullopt;
    if (value->type != REG_DWORD || value->data.size() != sizeof(DWORD)) {
      throw RegistryError("Invalid data type for " + ValueLabel(name));
    }
    DWORD data = 0;
    memcpy(&data, value->data.data(), sizeof data);
    return data;
  }

  void WriteString(std::string_view name, std::string_view data) override {
    const std::wstring wide = Widen(data);
    Write(name, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  }

  void WriteDword(std::string_view name, std::uint32_t data) override {
    const DWORD dword = data;
    Write(name, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
  }

  bool DeleteValue(std::string_view name) override {
    return RegDeleteValueW(key_.get(), Widen(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  std::optional<RawValue> Read(std::string_view name) const {
    const std::wstring wide_name = Widen(name);
    RawValue value;
    DWORD size = 0;
    LONG status =
        RegQueryValueExW(key_.get(), wide_name.c_str(), nullptr, &value.type, nullptr, &size);
    // The data can grow between the size query and the read: retry with the new size.
    for (int attempt = 0; status == ERROR_SUCCESS || status == ERROR_MORE_DATA; ++attempt) {
      value.data.resize(size);
      status = RegQueryValueExW(key_.get(), wide_name.c_str(), nullptr, &value.type,
                                value.data.data(), &size);
      if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        return value;
      }
      if (attempt == 8) break;
    }
    if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
    throw RegistryError("Failed to get data for " + ValueLabel(name));
  }

  void Write(std::string_view name, DWORD type, const BYTE* data, DWORD size) {
    if (RegSetValueExW(key_.get(), Widen(name).c_str(), 0, type, data, size) != ERROR_SUCCESS) {
      throw RegistryError("Failed to set data for " + ValueLabel(name));
    }
  }

  UniqueKey key_;
};

UniqueKey OpenRaw(HKEY parent, const std::wstring& path, DWORD options, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, path.c_str(), options, access, &key) != ERROR_SUCCESS) return {};
  return UniqueKey(key);
}

// What a tree deletion needs of each key, and no more: to tell a link, to list the subkeys and
// to delete. A standard user may delete keys whose security grants less than full access.
constexpr REGSAM kTreeRights = KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | DELETE;

// The child as itself: a link is opened, not the key it leads to.
UniqueKey OpenAsItself(HKEY parent, const std::wstring& name, REGSAM rights) {
  return OpenRaw(parent, name, REG_OPTION_OPEN_LINK, rights);
}

bool HoldsLink(HKEY key) {
  DWORD type = 0;
  return RegQueryValueExW(key, L"SymbolicLinkValue", nullptr, &type, nullptr, nullptr) ==
             ERROR_SUCCESS &&
         type == REG_LINK;
}

// Fails closed: a child that cannot be opened as itself to be looked at may be a link.
bool IsLinkAsSeenFrom(HKEY parent, const std::wstring& name, REGSAM view) {
  UniqueKey child = OpenAsItself(parent, name, KEY_QUERY_VALUE | view);
  return !child || HoldsLink(child.get());
}

// Deletes the key the handle holds, never what it may lead to: deleting by name follows a link.
bool DeleteHeldKey(HKEY key) {
  using DeleteKeyFunction = LONG(WINAPI*)(HANDLE);
  static const auto delete_key = reinterpret_cast<DeleteKeyFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtDeleteKey")));
  return delete_key && delete_key(key) == 0;
}

// A name the native API made with a NUL in it would reach the wide API cut short, naming the
// parent itself (or another key).
bool UsableName(const std::wstring& name) {
  return !name.empty() && name.find(L'\0') == std::wstring::npos;
}

// Depth first: a key goes only after everything beneath it. The check and the deletion go
// through one handle opened as the child itself, so a link is neither followed nor emptied; a
// child that cannot be opened so is left alone, and the tree is then not wholly deleted.
bool DeleteSubtree(HKEY parent, const std::wstring& name, REGSAM view) {
  if (!UsableName(name)) return false;
  UniqueKey key = OpenAsItself(parent, name, kTreeRights | view);
  // A key that may not be deleted itself may still hold keys that may.
  const bool deletable = static_cast<bool>(key);
  if (!deletable) key = OpenAsItself(parent, name, (kTreeRights & ~DELETE) | view);
  if (!key || HoldsLink(key.get())) return false;
  const auto children = EnumerateNames([&](DWORD index, wchar_t* child, DWORD* length) {
    return RegEnumKeyExW(key.get(), index, child, length, nullptr, nullptr, nullptr, nullptr);
  });
  bool whole = true;
  for (const auto& child : children) {
    whole = DeleteSubtree(key.get(), Widen(child), view) && whole;
  }
  return whole && deletable && DeleteHeldKey(key.get());
}

// A path the wide API takes as it is: not empty (the root) and without a NUL (cut short there).
bool Addressable(std::string_view relative) {
  return !relative.empty() && relative.find('\0') == std::string_view::npos;
}

}  // namespace

std::unique_ptr<platform::RegistryKey> Win32Registry::OpenKey(platform::RegistryRoot root,
                                                              std::string_view path,
                                                              platform::KeyAccess access,
                                                              platform::RegistryView view) {
  const std::string_view relative = platform::KeyPathFromRoot(path);
  // Never the root itself: an empty path would hand out a whole hive.
  if (!Addressable(relative)) return nullptr;
  const REGSAM rights = access == platform::KeyAccess::kRead ? KEY_READ : KEY_ALL_ACCESS;
  UniqueKey key = OpenRaw(RootHandle(root), Widen(relative), 0, rights | ViewFlag(view));
  if (!key) return nullptr;
  return std::make_unique<Win32RegistryKey>(std::move(key));
}

std::unique_ptr<platform::RegistryKey> Win32Registry::CreateKey(platform::RegistryRoot root,
                                                                std::string_view path,
                                                                platform::RegistryView view) {
  const std::string_view relative = platform::KeyPathFromRoot(path);
  if (!Addressable(relative)) return nullptr;
  HKEY key = nullptr;
  if (RegCreateKeyExW(RootHandle(root), Widen(relative).c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS | ViewFlag(view), nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return std::make_unique<Win32RegistryKey>(UniqueKey(key));
}

namespace {

// Calls act(parent, name, view flag) for the key at path; false when the path names no key
// below the root (empty, with a NUL) or its parent does not open.
template <typename Act>
bool WithParent(platform::RegistryRoot root, std::string_view path, platform::RegistryView view,
                Act act) {
  const std::string_view relative = platform::KeyPathFromRoot(path);
  // Never the root itself: an empty path would name a whole hive.
  if (!Addressable(relative)) return false;
  const REGSAM flag = ViewFlag(view);
  const auto split = relative.rfind('\\');
  if (split == std::string_view::npos) return act(RootHandle(root), Widen(relative), flag);
  // The parent only leads to the key: listing its subkeys is all that is asked of it.
  UniqueKey parent =
      OpenRaw(RootHandle(root), Widen(relative.substr(0, split)), 0, KEY_ENUMERATE_SUB_KEYS | flag);
  return parent && act(parent.get(), Widen(relative.substr(split + 1)), flag);
}

}  // namespace

bool Win32Registry::DeleteKeyTree(platform::RegistryRoot root, std::string_view path,
                                  platform::RegistryView view) {
  return WithParent(root, path, view, DeleteSubtree);
}

bool Win32Registry::KeyDeletable(platform::RegistryRoot root, std::string_view path,
                                 platform::RegistryView view) {
  return WithParent(root, path, view, [](HKEY parent, const std::wstring& name, REGSAM flag) {
    if (!UsableName(name)) return false;
    const UniqueKey key = OpenAsItself(parent, name, kTreeRights | flag);
    return key && !HoldsLink(key.get());
  });
}

std::vector<platform::RegistryView> Win32Registry::MachineViews() const {
  if (SixtyFourBitWindows()) return {platform::RegistryView::k64, platform::RegistryView::k32};
  return {platform::RegistryView::kDefault};
}

}  // namespace tidora::win32
