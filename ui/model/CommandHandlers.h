#pragma once
// The handlers of the command table. Every click of a button or menu item,
// and every hot key, arrives here as a CommandInvocation and runs the one
// handler registered for its command.
//
// Each command is registered by the part of the program its table entry
// names (Command::registrar). A part registers through a Registration, which
// refuses a command of another part and, when finished, insists that the
// part has registered every command of its own: a command without a handler
// stops the program at its first start instead of doing nothing when clicked.

#include <functional>
#include <map>
#include <string_view>
#include <vector>

#include "ui/model/Commands.h"

namespace tagsling::ui {

struct CommandInvocation {
  CommandId command = CommandId::kNone;
  std::string_view key;           // tag commands: the template key
  int entry = -1;                 // user tags and tools: the entry number
  bool item_was_checked = false;  // the check mark the clicked menu item showed
};

using CommandHandler = std::function<void(const CommandInvocation&)>;

class CommandHandlers {
 public:
  class Registration {
   public:
    // Throws std::logic_error for a command another part registers.
    void Set(CommandId command, CommandHandler handler);
    // Throws std::logic_error naming the first command of the part that has
    // no handler.
    void Finish();

   private:
    friend class CommandHandlers;
    Registration(CommandHandlers& handlers, CommandRegistrar registrar) : handlers_(handlers), registrar_(registrar) {}
    CommandHandlers& handlers_;
    CommandRegistrar registrar_;
  };

  Registration Register(CommandRegistrar registrar) { return Registration(*this, registrar); }

  bool Has(CommandId command) const { return handlers_.contains(command); }
  // The commands of the table (CommandId::kNone aside) without a handler.
  std::vector<CommandId> Unregistered() const;
  // Runs the command's handler; CommandId::kNone does nothing. A command
  // without a handler throws std::logic_error.
  void Run(const CommandInvocation& invocation) const;

 private:
  std::map<CommandId, CommandHandler> handlers_;
};

}  // namespace tagsling::ui
