#include "options.h"

#include <charconv>
#include <cstdlib>

namespace kestrel::sim {
namespace {

template <typename T>
std::optional<T> Number(const std::string& text, T low, T high) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<double> Rate(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !(value >= 0 && value <= 1)) return std::nullopt;
  return value;
}

}  // namespace

const char kUsage[] =
    "usage: kestrel-sim [--image IMAGE.bin] [--save IMAGE.bin] [--region N] [--check-switch N]\n"
    "                   [--echo] [--log] [--drop-rate P] [--corrupt-rate P] [--noise-rate P]\n"
    "                   [--delay MS] [--silent-after N] [--seed N]\n"
    "\n"
    "Serves a simulated Kestrel receiver on a pseudo-terminal. The first line printed is the\n"
    "terminal's device path; give it to the tool as the port. Ends on Ctrl+C or SIGTERM.\n"
    "\n"
    "  --image FILE       start from this 20128-byte memory image (default: the default\n"
    "                     configuration)\n"
    "  --save FILE        write the memory to FILE after every transfer step and at the end\n"
    "  --region N         region code byte (0x005E), 0 to 255\n"
    "  --check-switch N   frequency check switch byte (0x005F), 0 to 255\n"
    "  --echo             repeat every command before answering it\n"
    "  --log              print each command served\n"
    "  --drop-rate P      leave this share of answers out (0 to 1)\n"
    "  --corrupt-rate P   spoil this share of checksums and acknowledgements (0 to 1)\n"
    "  --noise-rate P     send stray characters before this share of answers (0 to 1)\n"
    "  --delay MS         answer every command this many milliseconds late\n"
    "  --silent-after N   stop answering after N commands\n"
    "  --seed N           seed of the fault generator (default 1)\n";

std::expected<Options, std::string> ParseOptions(std::span<const std::string> args) {
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
      continue;
    }
    if (arg == "--echo") {
      options.receiver.echo = true;
      continue;
    }
    if (arg == "--log") {
      options.log = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      if (arg.starts_with("--")) return std::unexpected(arg + " needs a value");
      return std::unexpected("unexpected argument '" + arg + "'");
    }
    const std::string& value = args[++i];
    const auto bad = [&](const char* what) {
      return std::unexpected(arg + ": '" + value + "' is not " + what);
    };
    if (arg == "--image") {
      options.image = value;
    } else if (arg == "--save") {
      options.save = value;
    } else if (arg == "--region" || arg == "--check-switch") {
      const auto byte = Number<int>(value, 0, 255);
      if (!byte) return bad("a number from 0 to 255");
      (arg == "--region" ? options.region : options.check_switch) = *byte;
    } else if (arg == "--drop-rate" || arg == "--corrupt-rate" || arg == "--noise-rate") {
      const auto rate = Rate(value);
      if (!rate) return bad("a rate from 0 to 1");
      double& target = arg == "--drop-rate"      ? options.receiver.drop_rate
                       : arg == "--corrupt-rate" ? options.receiver.corrupt_rate
                                                 : options.receiver.noise_rate;
      target = *rate;
    } else if (arg == "--delay") {
      const auto ms = Number<std::uint32_t>(value, 0, 60000);
      if (!ms) return bad("a number of milliseconds from 0 to 60000");
      options.receiver.reply_delay_ms = *ms;
    } else if (arg == "--silent-after") {
      const auto n = Number<int>(value, 0, 1 << 30);
      if (!n) return bad("a number of commands");
      options.receiver.silent_after = *n;
    } else if (arg == "--seed") {
      const auto n = Number<std::uint32_t>(value, 0, UINT32_MAX);
      if (!n) return bad("a number");
      options.receiver.seed = *n;
    } else {
      return std::unexpected("unknown option '" + arg + "'");
    }
  }
  return options;
}

}  // namespace kestrel::sim
