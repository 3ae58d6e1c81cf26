#include "ui/model/CommandHandlers.h"

#include <stdexcept>
#include <string>

namespace tagsling::ui {

void CommandHandlers::Registration::Set(CommandId command, CommandHandler handler) {
  const Command& entry = FindCommand(command);
  if (entry.id == CommandId::kNone || entry.registrar != registrar_ || !handler) {
    throw std::logic_error("command " + std::string(entry.name) + " registered by the wrong part");
  }
  handlers_.handlers_[command] = std::move(handler);
}

void CommandHandlers::Registration::Finish() {
  for (const Command& command : AllCommands()) {
    if (command.registrar == registrar_ && !handlers_.Has(command.id)) {
      throw std::logic_error("command " + std::string(command.name) + " has no handler");
    }
  }
}

std::vector<CommandId> CommandHandlers::Unregistered() const {
  std::vector<CommandId> missing;
  for (const Command& command : AllCommands()) {
    if (command.id != CommandId::kNone && !Has(command.id)) missing.push_back(command.id);
  }
  return missing;
}

void CommandHandlers::Run(const CommandInvocation& invocation) const {
  if (invocation.command == CommandId::kNone) return;
  const auto it = handlers_.find(invocation.command);
  if (it == handlers_.end()) {
    throw std::logic_error("command " + std::string(FindCommand(invocation.command).name) + " has no handler");
  }
  it->second(invocation);
}

}  // namespace tagsling::ui
