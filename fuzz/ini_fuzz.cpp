// The settings reader with arbitrary text: reading never fails, writing a key keeps every
// other line, and the written value reads back.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/ini_file.h"
#include "settings/settings.h"

namespace {

class Values : public SettingsAccess {
 public:
  std::int32_t Get(SettingId id) const override { return v[static_cast<int>(id)]; }
  void Set(SettingId id, std::int32_t value) override { v[static_cast<int>(id)] = value; }
  std::int32_t v[kSettingCount] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  IniFile ini = IniFile::Parse(text);
  if (ini.Text() != text) std::abort();  // parsing alone changes nothing

  Values values;
  IniRead(ini, values);
  for (int port = 0; port <= 5; ++port) (void)ComDevice(ini, port);
  (void)IniNumber(text, 7);

  IniWrite(ini, values);
  Values again;
  IniRead(ini, again);
  for (int i = 0; i < kSettingCount; ++i) {
    if (again.v[i] != values.v[i]) std::abort();
  }
  // A second write of the same values is a no-op.
  const std::string once = ini.Text();
  IniWrite(ini, values);
  if (ini.Text() != once) std::abort();
  return 0;
}
