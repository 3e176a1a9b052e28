#include "link/failure_advice.h"

namespace kestrel::link {
namespace {

constexpr std::size_t kSampleShown = 24;

// How the user names a port where the text is shown.
std::string ChooseWhere(FrontEnd front_end) {
  return front_end == FrontEnd::kWindow ? "in COM > Port" : "with --port";
}

// Bytes as the user can read them: printable ones as they are, others as <0D>.
std::string Shown(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (std::size_t i = 0; i < bytes.size() && i < kSampleShown; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      text.append("<").append(1, kHex[c >> 4]).append(1, kHex[c & 15]).append(">");
    }
  }
  if (bytes.size() > kSampleShown) text += "...";
  return text + "\"";
}

std::string PortsNowLine(const FailureFacts& facts) {
  const std::string ports = PortsText(facts.ports);
  return ports.empty() ? "No serial port exists now." : "The ports that exist now: " + ports + ".";
}

std::string NoPermission(const FailureFacts& facts) {
  if (facts.group.empty() || facts.group == "root") {
    return "You may not use " + facts.port +
           ".\nAsk whoever looks after this computer for access to it.";
  }
  return "You may not use " + facts.port + ": it belongs to the group " + facts.group +
         ", which you are not in.\nTo fix it: sudo usermod -aG " + facts.group +
         " $USER, then log out and in again.";
}

std::string InUse(const FailureFacts& facts) {
  if (facts.held_here) {
    return "Another transfer of this program is using " + facts.port +
           ".\nWait for it to end, or choose another port.";
  }
  if (facts.holder_pid > 0) {
    const std::string pid = "process " + std::to_string(facts.holder_pid);
    return "Another program is using " + facts.port + ": " +
           (facts.holder_name.empty() ? pid : facts.holder_name + " (" + pid + ")") +
           ".\nClose it, then try again.";
  }
  return facts.port +
         " is in use by another program.\nClose the program that uses it (a terminal program or "
         "another programming tool), then try again.";
}

std::string NoSuchPort(const FailureFacts& facts, FrontEnd front_end) {
  return "The port " + facts.port +
         " does not exist now: its cable or adapter may be unplugged.\n" + PortsNowLine(facts) +
         " Plug the cable in, or choose the right port " + ChooseWhere(front_end) + ".";
}

std::string NoAnswer(const FailureFacts& facts, FrontEnd front_end) {
  return "The receiver on " + facts.port +
         " did not answer.\nCheck that it is switched on, that the cable is plugged into its data "
         "socket, and that " +
         facts.port + " is the port the cable is on (choose it " + ChooseWhere(front_end) + "). " +
         PortsNowLine(facts);
}

std::string Stopped(const LinkFailure& failure, FrontEnd front_end) {
  const FailureFacts& facts = failure.facts;
  std::string again = "read again.";
  if (failure.code == LinkResult::kWriteFailed) {
    again = "write again; until then the receiver holds a partly written configuration.";
    if (front_end == FrontEnd::kCommandLine) {
      again += " With --image-out STATE.bin kept, --changes-from STATE.bin writes only the rest.";
    }
  }
  return "The receiver on " + facts.port + " stopped answering after " +
         std::to_string(facts.acknowledged) + " of " + std::to_string(facts.commands) +
         " commands were acknowledged.\nThe cable may have come loose or the receiver's battery "
         "run low: check both, then " +
         again;
}

std::string Foreign(const FailureFacts& facts, FrontEnd front_end) {
  switch (facts.replies) {
    case RepliesSeen::kEcho:
      return "Everything sent to " + facts.port +
             " came back as it was, and nothing else answered: the cable echoes, and no receiver "
             "answers behind it.\nCheck that the receiver is switched on and that the cable is "
             "plugged into its data socket.";
    case RepliesSeen::kWrongDevice:
      return "What answers on " + facts.port + " is not a receiver (it sent " +
             Shown(facts.sample) +
             "): another device is on this port.\nChoose the port the "
             "receiver's cable is on " +
             ChooseWhere(front_end) + ".";
    case RepliesSeen::kNoise:
    case RepliesSeen::kNone:
      break;
  }
  return "The receiver's answers on " + facts.port +
         " arrive damaged (wrong checksums, stray characters or line errors): the line is "
         "noisy.\nCheck that the plugs are firmly in, keep the cable away from power cables and "
         "transmitters or use a shorter one, then try again.";
}

}  // namespace

std::string PortsText(const std::vector<PortDescription>& ports) {
  std::string text;
  for (const PortDescription& port : ports) {
    if (!text.empty()) text += ", ";
    text += port.name;
    std::string about = port.description;
    if (port.usb_serial) about += about.empty() ? "a USB serial adapter" : ", a USB serial adapter";
    if (!about.empty()) text.append(" (").append(about).append(")");
  }
  return text;
}

std::string CauseText(const LinkFailure& failure, FrontEnd front_end) {
  switch (failure.cause) {
    case FailureCause::kUnknown:
      return {};
    case FailureCause::kNoPermission:
      return NoPermission(failure.facts);
    case FailureCause::kPortInUse:
      return InUse(failure.facts);
    case FailureCause::kNoSuchPort:
      return NoSuchPort(failure.facts, front_end);
    case FailureCause::kNoAnswer:
      return NoAnswer(failure.facts, front_end);
    case FailureCause::kStoppedAnswering:
      return Stopped(failure, front_end);
    case FailureCause::kForeignReplies:
      return Foreign(failure.facts, front_end);
  }
  return {};
}

}  // namespace kestrel::link
