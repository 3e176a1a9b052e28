// A receiver in software: 20128 bytes of configuration memory answering the handshake and the
// four memory commands the way the receiver does, with switches for an echoing line and for the
// faults a real line shows (lost, corrupted, late or noisy replies, a receiver that goes quiet)
// and for another device on its port. The echo is the cable's: it goes on when the receiver is
// quiet.
// Plain bytes in, timed bytes out; SimulatedReceiverPort and kestrel-sim put it on a line.
#pragma once

#include <cstdint>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "image/image_map.h"
#include "image/memory_image.h"

namespace kestrel::link {

struct SimulatorOptions {
  bool echo = false;  // repeat every frame and handshake byte before answering it
  // Faults, each drawn per answer from a generator seeded with `seed`: probabilities 0 to 1.
  double drop_rate = 0;     // no answer at all
  int drop_every = 0;       // every n-th answer is lost as well, a steady rate of retries; 0 none
  double corrupt_rate = 0;  // a data reply with a wrong checksum; NAK instead of ACK
  double noise_rate = 0;    // a few stray characters before the answer
  // The line reports an error (parity) with the answer's last character. Only an in-process
  // port can deliver it; a pseudo-terminal has no such thing.
  double line_error_rate = 0;
  std::uint32_t reply_delay_ms = 0;  // every answer comes this late
  // Bytes take their time on the line at this rate (ten bits each): a command arrives whole,
  // and its answer starts, once its last byte is in. 0: they take none.
  std::uint32_t baud = 0;
  int silent_after = -1;  // commands answered before the receiver goes quiet; -1 never
  // Not a receiver at all: every handshake and frame is answered with this text (a modem's
  // "OK\r\n", say) instead; none when empty.
  std::string foreign_answer{};
  std::uint32_t seed = 1;
};

// Commands received, by kind. `rejected` counts frames with a bad checksum, an unknown code,
// a wrong length or an address outside the memory: they get no answer.
struct SimulatorCounts {
  int handshakes = 0;
  int write_bytes = 0;   // "11"
  int read_bytes = 0;    // "12"
  int write_blocks = 0;  // "13"
  int read_blocks = 0;   // "14"
  int rejected = 0;
  int ignored = 0;  // frames and handshakes that arrived after the receiver went quiet
  int Total() const {
    return handshakes + write_bytes + read_bytes + write_blocks + read_blocks + rejected + ignored;
  }
};

// Bytes the receiver sends, `delay_ms` after the command that caused them arrived.
struct SimulatorAnswer {
  std::uint32_t delay_ms = 0;
  std::string bytes;
  bool line_error = false;  // the last byte comes with a line error
};

class ReceiverSimulator {
 public:
  explicit ReceiverSimulator(SimulatorOptions options = {});

  MemoryImage& memory() { return memory_; }
  const MemoryImage& memory() const { return memory_; }
  void SetRegionCode(std::uint8_t code) { memory_.SetByte(image_map::kRegionCode, code); }
  void SetCheckSwitch(std::uint8_t value) { memory_.SetByte(image_map::kCheckSwitch, value); }
  SimulatorOptions& options() { return options_; }

  // Takes bytes from the line and returns the answers, in order.
  std::vector<SimulatorAnswer> Take(std::span<const std::uint8_t> bytes);

  // Forgets a frame cut off, as when its sender went away.
  void ResetInput() {
    in_frame_ = false;
    frame_.clear();
  }

  const SimulatorCounts& counts() const { return counts_; }
  void ResetCounts() { counts_ = {}; }

  // Called with a line of text for every command served ("14 0860 read 16 bytes").
  void SetLog(std::function<void(const std::string&)> log) { log_ = std::move(log); }

 private:
  void Serve(std::string_view received, std::string answer, std::vector<SimulatorAnswer>& out);
  std::string Answer(std::string_view frame_text);
  void Echo(std::string_view received, std::vector<SimulatorAnswer>& out);
  bool Draw(double rate);
  // Milliseconds `bytes` take on the line, rounded up.
  std::uint32_t WireMs(std::size_t bytes) const;
  // True (and counted) once the receiver has gone quiet.
  bool Quiet();
  void Log(const std::string& line) {
    if (log_) log_(line);
  }

  SimulatorOptions options_;
  MemoryImage memory_;
  SimulatorCounts counts_;
  std::mt19937 random_;
  int served_ = 0;
  bool in_frame_ = false;
  std::string frame_;
  std::function<void(const std::string&)> log_;
};

}  // namespace kestrel::link
