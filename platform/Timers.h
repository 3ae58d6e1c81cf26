#pragma once
// One-shot timers on the user-interface thread, the message pump and time.

#include <cstdint>
#include <functional>

namespace tagsling::platform {

class Timers {
 public:
  virtual ~Timers() = default;

  // Arms timer `id` to call `tick` once, `interval_ms` from now, from the
  // message loop of the user-interface thread. Arming an armed timer restarts
  // it. The callback must not throw; hosts catch and report what escapes.
  virtual void StartTimer(int id, unsigned interval_ms, std::function<void()> tick) = 0;
  virtual void StopTimer(int id) = 0;

  // One pass of the message loop: dispatches what is waiting and returns.
  // Handlers (timer ticks included) may run inside this call.
  virtual void ProcessPendingMessages() = 0;

  // Blocks the thread; nothing of ours runs meanwhile.
  virtual void Sleep(unsigned ms) = 0;

  // Lets `ms` pass while answering messages sent to the thread's windows (a
  // program holding the clipboard may be waiting for one of ours); nothing
  // posted is dispatched, so no handler of ours starts meanwhile.
  virtual void Wait(unsigned ms) = 0;

  // Milliseconds on a monotonic clock.
  virtual std::uint64_t NowMs() = 0;
};

}  // namespace tagsling::platform
