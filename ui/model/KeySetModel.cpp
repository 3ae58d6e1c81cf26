#include "ui/model/KeySetModel.h"

namespace tagsling::ui {

namespace {

using settings::AppSettings;

const KeySetList kLists[] = {
    {"切り取り:", &AppSettings::SendKey_Cut, &core::CutKeys},
    {"コピー:", &AppSettings::SendKey_Copy, &core::CopyKeys},
    {"貼り付け:", &AppSettings::SendKey_Paste, &core::PasteKeys},
};

bool InList(std::size_t list, int index) {
  return list < std::size(kLists) && index >= 0 && static_cast<std::size_t>(index) < kLists[list].items().size();
}

}  // namespace

std::span<const KeySetList> KeySetLists() { return kLists; }

KeySetModel::KeySetModel(const AppSettings& settings) {
  for (std::size_t i = 0; i < values_.size(); ++i) values_[i] = settings.*(kLists[i].setting);
}

int KeySetModel::Selection(std::size_t list) const { return InList(list, values_[list]) ? values_[list] : -1; }

void KeySetModel::Select(std::size_t list, int index) {
  if (InList(list, index)) values_[list] = index;
}

void KeySetModel::WindowsStandard() { values_.fill(0); }

void KeySetModel::Apply(AppSettings& settings) const {
  for (std::size_t i = 0; i < values_.size(); ++i) settings.*(kLists[i].setting) = values_[i];
}

}  // namespace tagsling::ui
