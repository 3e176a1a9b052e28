// The simulated receiver on an in-process line: what is written reaches the simulator at once,
// its answers arrive on the clock after their delay. Works with the virtual clock (instant,
// exact timing) and the real one. Switches let tests make the port missing, busy or unplugged.
#pragma once

#include <optional>
#include <string>

#include "link/clock.h"
#include "link/serial_port.h"
#include "link/sim/receiver_simulator.h"
#include "link/sim/timed_input.h"

namespace kestrel::link {

class SimulatedReceiverPort final : public SerialPort {
 public:
  SimulatedReceiverPort(ReceiverSimulator& receiver, Clock& clock)
      : receiver_(receiver), input_(clock) {}

  std::expected<void, OpenFailure> Open(const std::string& name) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  void SetRts(bool on) override;
  void SetDtr(bool on) override { dtr_ = on; }
  bool Write(std::span<const std::uint8_t> bytes) override;
  PortInput Receive(std::uint32_t timeout_ms) override;
  std::string NameForNumber(int number) const override;

  // Opening fails with this reason while it is set.
  void SetOpenFailure(std::optional<OpenFailure> reason) { open_failure_ = std::move(reason); }
  // The adapter disappears: the open port stops working until it is closed.
  void Unplug() { unplugged_ = true; }

  bool rts() const { return rts_; }
  bool dtr() const { return dtr_; }
  int opens() const { return opens_; }
  int closes() const { return closes_; }
  int rts_raised() const { return rts_raised_; }
  const std::string& open_name() const { return open_name_; }

 private:
  ReceiverSimulator& receiver_;
  TimedInput input_;
  std::optional<OpenFailure> open_failure_;
  std::string open_name_;
  bool open_ = false;
  bool unplugged_ = false;
  bool rts_ = false;
  bool dtr_ = false;
  int opens_ = 0;
  int closes_ = 0;
  int rts_raised_ = 0;
};

}  // namespace kestrel::link
