#pragma once
// The three registered lists kept in the settings file: user tags ("UserTag"),
// external tools ("Tools") and pass-through windows ("ThroughWindow").
//
// Each section holds ItemCount and, for entry n counted from 0, one key per
// field named field word + n in decimal (Title0, Tag0, ClassName12). Only
// entries 0 .. ItemCount-1 exist; keys with higher numbers are ignored, a
// missing entry key reads as "", and ItemCount below 1 means an empty list.
//
// User tags and tools are read from the file at every use; only the
// pass-through classes are kept in memory (ThroughWindowClasses).

#include <span>
#include <string>
#include <vector>

#include "settings/ProfileFile.h"

namespace tagsling::settings {

enum class RegisteredList { kUserTag, kTools, kThroughWindow };

// Section name and field words of a list, in the order the fields are
// written.
struct ListDefinition {
  const char* section;
  std::span<const char* const> fields;
};
const ListDefinition& GetListDefinition(RegisteredList list);

// The key of one field of entry n: "Title" + 3 -> "Title3".
std::string ListKey(const char* field, int entry);

// A title of exactly "-" makes the entry a separator line in menus.
inline constexpr const char* kSeparatorTitle = "-";

// A hand-edited huge ItemCount must not make the program build millions of
// empty entries: past this many, the count is limited to the number of keys
// the section really holds (which is never less than the number of entries
// the program itself wrote).
inline constexpr int kPhantomEntryLimit = 10000;

// The number of entries of a list in the document: ItemCount, 0 when below 1,
// limited as described at kPhantomEntryLimit.
int ReadListCount(const ProfileDocument& file, RegisteredList list);
// Field values of every entry, each row in the list's field order.
std::vector<std::vector<std::string>> ReadListRows(const ProfileDocument& file, RegisteredList list);
// One field of every entry (titles for the menus, class names).
std::vector<std::string> ReadListField(const ProfileDocument& file, RegisteredList list, const char* field);

// One tool entry read straight from the settings file (a user tag's
// template is read by core's ReadUserTemplate).
struct ToolEntry {
  std::string Title;
  std::string File;
  std::string Param;
  std::string TmpDir;
};
ToolEntry ReadToolEntry(const std::string& settings_path, int entry);

// The pass-through list of the process: ClassName0 .. ClassName(ItemCount-1)
// in entry order, empty names included.
std::vector<std::string>& ThroughWindowClasses();
// Clears ThroughWindowClasses and fills it again from the settings file.
void LoadThroughWindowList(const std::string& settings_path);

// A list as the options dialog holds it while open.
struct DialogList {
  int loaded_count = 0;  // entries the section had when loaded
  std::vector<std::vector<std::string>> rows;
};
DialogList LoadListForDialog(const ProfileDocument& file, RegisteredList list);

// Writes a list section from the dialog's rows into the document: the section
// is erased first only when it had entries when loaded (so a list that was
// empty keeps its stale keys, which stay ignored); then ItemCount and each
// row's keys in field order. Rows shorter than the field list write "" for
// the missing fields. False when the document refused a key.
bool WriteListSection(ProfileDocument& file, RegisteredList list, const DialogList& dialog_list);

// The same on the settings file, saved at once; throws SettingsWriteError
// (see AppSettings.h) when the file cannot be written, leaving it unchanged.
void SaveListSection(const std::string& settings_path, RegisteredList list, const DialogList& dialog_list);

}  // namespace tagsling::settings
