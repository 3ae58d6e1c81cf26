#include "ui/model/TaskTrayModel.h"

#include <algorithm>

#include "common/Sjis.h"
#include "common/SjisLiteral.h"

namespace tagsling::ui {

const char* const kTrayIdNotPositive = "0以下は指定できません"_sjis;
const char* const kTrayIdInUse = "同じアイコン識別子が有ります"_sjis;
const char* const kTrayNoIcon = "アイコンが指定されていません"_sjis;
const char* const kTrayCannotRegister = "タスクトレイに登録できません"_sjis;

int TrayIconIds::Add(const void* instance) {
  const int id = entries_.empty() ? 1 : entries_.back().id + 1;
  entries_.push_back({id, instance});
  return id;
}

void TrayIconIds::Remove(const void* instance) {
  std::erase_if(entries_, [&](const Entry& e) { return e.instance == instance; });
}

void TrayIconIds::Change(const void* instance, int id) {
  if (id < 1) throw TrayIconError(kTrayIdNotPositive);
  const void* holder = Find(id);
  if (holder == instance) return;
  if (holder != nullptr) throw TrayIconError(kTrayIdInUse);
  for (Entry& e : entries_) {
    if (e.instance == instance) e.id = id;
  }
}

const void* TrayIconIds::Find(int id) const {
  for (const Entry& e : entries_) {
    if (e.id == id) return e.instance;
  }
  return nullptr;
}

std::vector<int> TrayIconIds::Ids() const {
  std::vector<int> ids;
  for (const Entry& e : entries_) ids.push_back(e.id);
  return ids;
}

std::string TrayTipText(std::string_view tip) {
  std::size_t end = 0;
  while (end < tip.size()) {
    const std::size_t next = end + SjisCharLength(tip, end);
    if (next > kTrayTipMaxBytes) break;
    end = next;
  }
  return std::string(tip.substr(0, end));
}

unsigned TrayIconFlags(std::string_view tip) { return kNifMessage | kNifIcon | (tip.empty() ? 0u : kNifTip); }

TaskTrayModel::TaskTrayModel(TrayIconIds& ids, TrayShell& shell) : ids_(ids), shell_(shell), id_(ids.Add(this)) {}

TaskTrayModel::~TaskTrayModel() {
  DeleteFromShell();
  ids_.Remove(this);
}

void TaskTrayModel::SetTipString(const std::string& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  ShowIcon();
}

void TaskTrayModel::SetIconID(int id) {
  if (id < 1) throw TrayIconError(kTrayIdNotPositive);
  if (id == id_) return;
  if (ids_.Find(id) != nullptr) throw TrayIconError(kTrayIdInUse);
  DeleteFromShell();  // under the old identifier; Registered stays as it was
  ids_.Change(this, id);
  id_ = id;
  ShowIcon();
}

void TaskTrayModel::SetRegistered(bool registered) {
  if (!registered) {
    RemoveIcon();
    return;
  }
  if (!has_icon_) throw TrayIconError(kTrayNoIcon);
  registered_ = true;
  ShowIcon();
}

void TaskTrayModel::SetHasIcon(bool has_icon) {
  has_icon_ = has_icon;
  if (has_icon) {
    ShowIcon();
  } else {
    RemoveIcon();
  }
}

void TaskTrayModel::ShowIcon() {
  if (!registered_) return;
  const std::string tip = TrayTipText(tip_);
  if (!shell_.Notify(added_ ? TrayOp::kModify : TrayOp::kAdd, id_, TrayIconFlags(tip), tip)) {
    throw TrayIconError(kTrayCannotRegister);
  }
  added_ = true;
}

void TaskTrayModel::RemoveIcon() {
  DeleteFromShell();
  registered_ = false;
}

void TaskTrayModel::TaskbarCreated() {
  added_ = false;
  ShowIcon();
}

void TaskTrayModel::DeleteFromShell() {
  if (!added_) return;
  shell_.Notify(TrayOp::kDelete, id_, 0, {});
  added_ = false;
}

std::optional<TrayMouseEvent> DecodeTrayMouseMessage(unsigned message) {
  using enum TrayMouseKind;
  switch (message) {
    case 0x200:
      return TrayMouseEvent{kMove, TrayButton::kNone};
    case 0x201:
      return TrayMouseEvent{kDown, TrayButton::kLeft};
    case 0x202:
      return TrayMouseEvent{kUp, TrayButton::kLeft};
    case 0x203:
      return TrayMouseEvent{kDblClick, TrayButton::kLeft};
    case 0x204:
      return TrayMouseEvent{kDown, TrayButton::kRight};
    case 0x205:
      return TrayMouseEvent{kUp, TrayButton::kRight};
    case 0x206:
      return TrayMouseEvent{kDblClick, TrayButton::kRight};
    case 0x207:
      return TrayMouseEvent{kDown, TrayButton::kMiddle};
    case 0x208:
      return TrayMouseEvent{kUp, TrayButton::kMiddle};
    default:
      return std::nullopt;
  }
}

TrayClickAction DecideTrayClick(TrayButton button, bool main_disabled, bool busy) {
  if (main_disabled || busy) return TrayClickAction::kNone;
  switch (button) {
    case TrayButton::kLeft:
      return TrayClickAction::kShowMainWindow;
    case TrayButton::kRight:
      return TrayClickAction::kOpenTrayMenu;
    default:
      return TrayClickAction::kNone;
  }
}

bool TrayIconWanted(bool tray_icon_setting, bool docked) { return tray_icon_setting && !docked; }

}  // namespace tagsling::ui
