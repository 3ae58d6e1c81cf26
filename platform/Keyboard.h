#pragma once
// Synthesised key events and the physical key state.

#include <cstdint>

namespace tagsling::platform {

// One keybd_event call: virtual-key code, hardware scan code, press or release.
struct KeyEvent {
  std::uint8_t vk = 0;
  std::uint8_t scan = 0;
  bool up = false;
  bool operator==(const KeyEvent&) const = default;
};

// Virtual-key codes the program sends or samples.
namespace vk {
constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kControl = 0x11;
constexpr std::uint8_t kAlt = 0x12;
constexpr std::uint8_t kEscape = 0x1B;
constexpr std::uint8_t kLeft = 0x25;
constexpr std::uint8_t kInsert = 0x2D;
constexpr std::uint8_t kDelete = 0x2E;
constexpr std::uint8_t kC = 0x43;
constexpr std::uint8_t kV = 0x56;
constexpr std::uint8_t kX = 0x58;
constexpr std::uint8_t kF7 = 0x76;
constexpr std::uint8_t kF8 = 0x77;
constexpr std::uint8_t kF9 = 0x78;
}  // namespace vk

class Keyboard {
 public:
  virtual ~Keyboard() = default;

  // Injects the event into the system input stream (keybd_event, extra 0).
  virtual void SendKeyEvent(const KeyEvent& event) = 0;

  // Hardware scan code of a virtual key (MapVirtualKey(code, 0)); 0 if none.
  virtual std::uint8_t ScanCodeOf(std::uint8_t virtual_key) = 0;

  // Whether the key is down right now (high-order bit of GetAsyncKeyState).
  virtual bool IsKeyDown(std::uint8_t virtual_key) = 0;
};

}  // namespace tagsling::platform
