// What the core has to tell the expert, as data: the windows decide when to show it in a
// message box, the command-line fitter prints it.
#pragma once

#include <string>

enum class MessageKind { Error, Warning };

struct Message {
  MessageKind Kind = MessageKind::Error;
  std::string Text;
  friend bool operator==(const Message&, const Message&) = default;
};
