#include "ui/CommandHandlers.h"

#include "ui/ErrorBox.h"

namespace tagsling::ui {

void CommandHandlers::Run(const CommandInvocation& invocation) const {
  if (invocation.action.command == CommandId::None) return;
  const auto it = handlers_.find(invocation.action.command);
  if (it == handlers_.end()) {
    ShowNotAvailableYet();
    return;
  }
  it->second(invocation);
}

void ShowNotAvailableYet() {
  // "この機能はまだ使用できません。" (this function cannot be used yet)
  ShowInformationBox(
      "\x82\xb1\x82\xcc\x8b@\x94\\\x82\xcd\x82\xdc\x82\xbe\x8e"
      "g\x97p\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81"
      "B");
}

}  // namespace tagsling::ui
