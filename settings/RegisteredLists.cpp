// Reading and writing the registered lists of the settings file. Every list
// is described by one ListDefinition (section and field words), so the three
// lists share the same code.

#include "settings/RegisteredLists.h"

#include <algorithm>
#include <memory>

#include "settings/AppSettings.h"
#include "settings/ProfileCache.h"

namespace tagsling::settings {

namespace {

constexpr const char* kItemCountKey = "ItemCount";

constexpr const char* kUserTagFields[] = {"Title", "Tag"};
constexpr const char* kToolFields[] = {"Title", "File", "Param", "TmpDir"};
constexpr const char* kThroughWindowFields[] = {"ItemName", "ClassName"};

const ListDefinition kUserTagList{"UserTag", kUserTagFields};
const ListDefinition kToolList{"Tools", kToolFields};
const ListDefinition kThroughWindowList{"ThroughWindow", kThroughWindowFields};

// One entry of a list, from the file as it is now (parsed again only when it
// changed).
std::vector<std::string> ReadEntry(const std::string& settings_path, RegisteredList list, int entry) {
  const std::shared_ptr<const ProfileDocument> file = CachedProfile(settings_path);
  const ListDefinition& definition = GetListDefinition(list);
  std::vector<std::string> values;
  for (const char* field : definition.fields) values.push_back(file->Get(definition.section, ListKey(field, entry)));
  return values;
}

}  // namespace

const ListDefinition& GetListDefinition(RegisteredList list) {
  switch (list) {
    case RegisteredList::kUserTag:
      return kUserTagList;
    case RegisteredList::kTools:
      return kToolList;
    default:
      return kThroughWindowList;
  }
}

std::string ListKey(const char* field, int entry) { return field + std::to_string(entry); }

int ReadListCount(const ProfileDocument& file, RegisteredList list) {
  const char* section = GetListDefinition(list).section;
  int count = file.GetInt(section, kItemCountKey, 0);
  if (count < 1) return 0;
  if (count > kPhantomEntryLimit) {
    int keys = static_cast<int>(std::min<std::size_t>(file.KeyNames(section).size(), static_cast<std::size_t>(count)));
    count = std::max(kPhantomEntryLimit, keys);
  }
  return count;
}

std::vector<std::vector<std::string>> ReadListRows(const ProfileDocument& file, RegisteredList list) {
  const ListDefinition& definition = GetListDefinition(list);
  int count = ReadListCount(file, list);
  std::vector<std::vector<std::string>> rows(static_cast<std::size_t>(count));
  for (int entry = 0; entry < count; ++entry) {
    for (const char* field : definition.fields)
      rows[entry].push_back(file.Get(definition.section, ListKey(field, entry)));
  }
  return rows;
}

std::vector<std::string> ReadListField(const ProfileDocument& file, RegisteredList list, const char* field) {
  const char* section = GetListDefinition(list).section;
  int count = ReadListCount(file, list);
  std::vector<std::string> values;
  values.reserve(static_cast<std::size_t>(count));
  for (int entry = 0; entry < count; ++entry) values.push_back(file.Get(section, ListKey(field, entry)));
  return values;
}

ToolEntry ReadToolEntry(const std::string& settings_path, int entry) {
  std::vector<std::string> values = ReadEntry(settings_path, RegisteredList::kTools, entry);
  return {values[0], values[1], values[2], values[3]};
}

std::vector<std::string>& ThroughWindowClasses() {
  static std::vector<std::string> classes;
  return classes;
}

void LoadThroughWindowList(const std::string& settings_path) {
  ThroughWindowClasses() =
      ReadListField(ProfileDocument::Load(settings_path), RegisteredList::kThroughWindow, "ClassName");
}

DialogList LoadListForDialog(const ProfileDocument& file, RegisteredList list) {
  DialogList dialog_list;
  dialog_list.rows = ReadListRows(file, list);
  dialog_list.loaded_count = static_cast<int>(dialog_list.rows.size());
  return dialog_list;
}

bool WriteListSection(ProfileDocument& file, RegisteredList list, const DialogList& dialog_list) {
  const ListDefinition& definition = GetListDefinition(list);
  // Erasing drops the keys of removed entries. A list that was empty is not
  // erased: its stale keys stay, beyond ItemCount, and stay ignored.
  if (dialog_list.loaded_count > 0) file.EraseSection(definition.section);
  bool ok = file.SetInt(definition.section, kItemCountKey, static_cast<int>(dialog_list.rows.size()));
  for (std::size_t entry = 0; entry < dialog_list.rows.size(); ++entry) {
    const std::vector<std::string>& row = dialog_list.rows[entry];
    for (std::size_t i = 0; i < definition.fields.size(); ++i) {
      const std::string& value = i < row.size() ? row[i] : std::string();
      ok = file.Set(definition.section, ListKey(definition.fields[i], static_cast<int>(entry)), value) && ok;
    }
  }
  return ok;
}

void SaveListSection(const std::string& settings_path, RegisteredList list, const DialogList& dialog_list) {
  ProfileDocument file = ProfileDocument::Load(settings_path);
  if (!WriteListSection(file, list, dialog_list) || !file.Save()) throw SettingsWriteError(settings_path);
}

}  // namespace tagsling::settings
