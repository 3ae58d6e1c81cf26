#pragma once
// The handlers of the command table. Every click of a button or menu item
// arrives here with its ItemAction and runs the one handler registered for
// its command. A command whose handler has not been registered (the features
// that are still to come) tells the user that it is not available yet.

#include <windows.h>

#include <functional>
#include <map>

#include "ui/ItemActions.h"

namespace tagsling::ui {

struct CommandInvocation {
  const ItemAction& action;
  bool itemWasChecked = false;  // the check mark the clicked menu item showed
};

using CommandHandler = std::function<void(const CommandInvocation&)>;

class CommandHandlers {
 public:
  void Set(CommandId command, CommandHandler handler) { handlers_[command] = std::move(handler); }
  bool Has(CommandId command) const { return handlers_.contains(command); }
  void Run(const CommandInvocation& invocation) const;

 private:
  std::map<CommandId, CommandHandler> handlers_;
};

// The information box of a command that is not available yet.
void ShowNotAvailableYet();

}  // namespace tagsling::ui
