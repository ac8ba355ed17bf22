#pragma once

#include <memory>

#include "platform/dry_run/key_id.h"
#include "platform/dry_run/read_only.h"
#include "platform/dry_run/registry_journal.h"

namespace tidora::dry_run {

// A key opened while recording: reads show the real key through the journal, writes and
// deletions go to the journal. Like a real handle, it sees the key deleted while it is open.
class RecordKey final : public platform::RegistryKey {
 public:
  // real: the real key opened with the access asked, or nullptr when the journal alone made it.
  RecordKey(const RegistryReader& reader, RegistryJournal& journal, KeyId id, bool writable,
            std::unique_ptr<const platform::RegistryKey> real);

  std::vector<std::string> ValueNames() const override;
  std::vector<std::string> SubkeyNames() const override;
  std::optional<platform::ValueType> TypeOf(std::string_view name) const override;
  bool HasSubkey(std::string_view name) const override;
  std::optional<std::string> ReadString(std::string_view name) const override;
  std::optional<std::uint32_t> ReadDword(std::string_view name) const override;
  void WriteString(std::string_view name, std::string_view data) override;
  void WriteDword(std::string_view name, std::uint32_t data) override;
  bool DeleteValue(std::string_view name) override;
  bool SubkeyIsLink(std::string_view name) const override;

 private:
  struct View {
    RegistryJournal::Place place;
    const platform::RegistryKey* real;  // nullptr where the real key does not show
  };
  View Look() const;
  const platform::RegistryKey* Real() const;
  // The edit of the value, or nullptr when the real value (if any) stands.
  const ValueEdit* EditOf(const View& view, std::string_view name) const;
  void Write(ValueEdit edit);

  const RegistryReader& reader_;
  RegistryJournal& journal_;
  KeyId id_;
  bool writable_;
  // Opened on first need when the journal made the key: another program may make it since.
  mutable std::unique_ptr<const platform::RegistryKey> real_;
};

}  // namespace tidora::dry_run
