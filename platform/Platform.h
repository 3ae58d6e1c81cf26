#pragma once
// The platform services the portable code works against, bundled so one
// object can be handed around. The Win32 desktop and the simulated desktop
// each provide all of them.

#include "platform/Clipboard.h"
#include "platform/Feedback.h"
#include "platform/Keyboard.h"
#include "platform/TextCodec.h"
#include "platform/Timers.h"
#include "platform/WindowSystem.h"

namespace tagsling::platform {

struct Platform {
  Clipboard& clipboard;
  Keyboard& keyboard;
  WindowSystem& windows;
  Timers& timers;
  Feedback& feedback;
  TextCodec& codec;
};

}  // namespace tagsling::platform
