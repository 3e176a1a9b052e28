// The command protocol over the line layer: sending frames, waiting for the acknowledgement,
// receiving and verifying data replies (echo removal, short lines), at most three attempts per
// command, and the handshake and four memory commands against a MemoryImage.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "image/memory_image.h"
#include "link/link_result.h"
#include "link/serial_line.h"

namespace kestrel::link {

inline constexpr int kAttempts = 3;
inline constexpr int kShortLinesAllowed = 3;  // the third short line fails the reply

// A whole answer (an echo of the frame, if the cable makes one, then the ACK or the reply line)
// must be complete this long after its frame went out: the per-character time-out for its first
// character, then a millisecond for each of its characters (38400 baud moves one in 0.26 ms) and
// some slack for adapters that pass bytes on in bursts. A line that keeps dripping characters
// then fails the attempt as a silent one does, so no receiver holds a command longer than its
// three attempts.
inline constexpr std::uint32_t kAnswerMsPerCharacter = 1;
inline constexpr std::uint32_t kAnswerSlackMs = 50;

// Frames the command text, empties RxLast and RxText, and sends the frame.
void SendFrame(SerialLine& line, std::string_view command_text);
// Waits for ACK, skipping CR and CAN, and an exact echo of LastSent arriving first; any other
// character, a time-out, a line error or an answer that is not complete in time fails. Ends with
// the settle delay in every case.
bool WaitAck(SerialLine& line);
// Collects one reply line ending in CR, removes an echo of LastSent from its start and verifies
// the checksum. `reply` is the line after echo removal; `reply_length` the length a valid one
// has, which sets the time the answer may take.
bool ReceiveReply(SerialLine& line, std::size_t reply_length, std::string& reply);

// The cause of a command or handshake that got no valid answer, from what the line saw of its
// attempts: kForeignReplies with what the replies looked like, kNoSuchPort when the port stopped
// working, else kNoAnswer (the caller knows whether the receiver had answered before).
void ExplainNoAnswer(SerialLine& line, LinkFailure& failure);

bool QueryCommand(SerialLine& line, std::string_view command_text, std::size_t reply_length,
                  std::string& reply);
bool SendCommand(SerialLine& line, std::string_view command_text);
bool Handshake(SerialLine& line);

// The memory commands. Reads store into the image only after the whole reply has been verified;
// block addresses that are not multiples of 16, and addresses beyond the image, fail without
// sending. A failure is kReadFailed or kWriteFailed with the command that failed (and why the
// port stopped working, when it did) as its detail.
LinkStatus ReadByte(SerialLine& line, MemoryImage& image, std::uint16_t address);
LinkStatus ReadBlock(SerialLine& line, MemoryImage& image, std::uint16_t address);
LinkStatus WriteByte(SerialLine& line, const MemoryImage& image, std::uint16_t address);
LinkStatus WriteBlock(SerialLine& line, const MemoryImage& image, std::uint16_t address);

}  // namespace kestrel::link
