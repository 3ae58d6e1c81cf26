// Fuzz target for the settings file: the profile reader and writer and the
// whole settings record on an arbitrary file.
//
// Input layout: byte 0 options (bit 0 the window is docked, bit 1 erase the
// section named by the first field, bit 2 save a second time), then three NUL-terminated fields
// (section, key, value) and the rest of the input as the file text.
//
// Checked:
// - the file text read and written back unchanged is byte for byte the same;
// - a value set reads back as written (line breaks as blanks, cut at the
//   value limit), every other key keeps its value, and the text written
//   reads back to the same values;
// - load, save, load again gives the same settings record, and a second save
//   writes the very same file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "settings/AppSettings.h"
#include "settings/ProfileFile.h"

namespace {

using namespace tagsling::settings;
using tagsling::fuzz::Check;

constexpr std::size_t kMaxFile = 2048;

// A main window that stays where the settings put it.
class FakeEnvironment : public SettingsEnvironment {
 public:
  bool docked = false;
  WindowBounds bounds;
  bool zoomed = false;

  WindowBounds MainWindowBounds() const override { return bounds; }
  bool MainWindowZoomed() const override { return zoomed; }
  bool MainWindowDocked() const override { return docked; }
  void ApplyMainWindowPlacement(int width, int top, int left, bool maximized) override {
    bounds = {left, top, width, 100};
    zoomed = maximized;
  }
  int GetSystemMetric(SystemMetric) const override { return 4; }
  std::string WindowsDirectory() const override { return "C:\\WINDOWS"; }
  OsVersion GetOsVersion() const override { return {}; }
  std::optional<std::string> ReadMachineRegistryDefault(const std::string&) const override {
    return std::string("C:\\Program Files\\Browser\\browser.exe");
  }
  std::string FirstCommandLineArgument() const override { return ""; }
};

bool SameSettings(const AppSettings& a, const AppSettings& b) {
  for (const SettingDefinition& row : SettingsTable()) {
    bool same = std::visit([&](auto member) { return a.*member == b.*member; }, row.field);
    if (!same) return false;
  }
  return true;
}

// What a value set with ProfileDocument::Set reads back as.
std::string ExpectedValue(std::string value) {
  for (char& c : value) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  std::size_t cut = 0;
  while (cut < value.size()) {
    std::size_t next = cut + tagsling::SjisCharLength(value, cut);
    if (next > kProfileValueLimit) break;
    cut = next;
  }
  return value.substr(0, cut);
}

std::string_view Trimmed(std::string_view name) {
  std::size_t first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return name.substr(first, name.find_last_not_of(" \t") - first + 1);
}

struct Probe {
  std::string section;
  std::string key;
};

// The first keys of the document in the sections named (a bounded number,
// so that each input costs little).
std::vector<Probe> Probes(const ProfileDocument& document, const std::vector<std::string>& sections) {
  constexpr std::size_t kMaxProbes = 24;
  std::vector<Probe> probes;
  for (const std::string& section : sections) {
    for (const std::string& key : document.KeyNames(section)) {
      if (probes.size() == kMaxProbes) return probes;
      probes.push_back({section, key});
    }
  }
  return probes;
}

void FuzzDocument(const std::string& text, const std::string& section, const std::string& key, const std::string& value,
                  bool erase) {
  ProfileDocument document = ProfileDocument::FromText(text);
  Check(document.Text() == text);

  const std::vector<std::string> sections = {section, "Option", ""};
  const std::vector<Probe> probes = Probes(document, sections);
  std::vector<std::string> before;
  for (const Probe& probe : probes) before.push_back(document.Get(probe.section, probe.key, "\x01"));

  if (erase) {
    bool had = document.HasSection(section);
    Check(document.EraseSection(section) == had);
    Check(!document.HasSection(section));
    Check(!document.HasKey(section, key));
  } else if (document.Set(section, key, value)) {
    Check(document.Get(section, key, "\x01") == ExpectedValue(value));
    for (std::size_t i = 0; i < probes.size(); ++i) {
      // Names are used without their surrounding blanks.
      if (ProfileNamesEqual(Trimmed(probes[i].section), Trimmed(section)) &&
          ProfileNamesEqual(probes[i].key, Trimmed(key)))
        continue;
      Check(document.Get(probes[i].section, probes[i].key, "\x01") == before[i]);
    }
  }
  // What is written reads back the same.
  ProfileDocument reread = ProfileDocument::FromText(document.Text());
  Check(reread.Text() == document.Text());
  for (const Probe& probe : probes) {
    Check(reread.Get(probe.section, probe.key, "\x01") == document.Get(probe.section, probe.key, "\x01"));
  }
}

void FuzzSettings(const std::string& text, bool docked, bool twice) {
  FakeEnvironment environment;
  environment.docked = docked;
  AppSettings loaded;
  LoadSettings(loaded, environment, ProfileDocument::FromText(text));
  ProfileDocument file = ProfileDocument::FromText(text);
  Check(StoreSettings(loaded, environment, file));
  const std::string saved = file.Text();

  AppSettings reloaded;
  LoadSettings(reloaded, environment, ProfileDocument::FromText(saved));
  Check(SameSettings(loaded, reloaded));
  if (!twice) return;

  ProfileDocument again = ProfileDocument::FromText(saved);
  Check(StoreSettings(reloaded, environment, again));
  Check(again.Text() == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tagsling::fuzz::FieldReader input(data, size);
  std::uint8_t options = input.Byte();
  std::string section = input.Field(64);
  std::string key = input.Field(64);
  std::string value = input.Field(kProfileValueLimit + 16);
  std::string text = input.Rest(kMaxFile);
  FuzzDocument(text, section, key, value, options & 2);
  FuzzSettings(text, options & 1, options & 4);
  return 0;
}
