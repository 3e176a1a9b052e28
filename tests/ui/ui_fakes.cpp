#include "ui_fakes.h"

namespace kestrel::ui::testing {

TransferOutcome Failure(int code) {
  TransferOutcome outcome;
  outcome.code = code;
  switch (code) {
    case 1:
      outcome.message = "There is problem with the communication port.\nUnable to transfer data.";
      outcome.detail = "/dev/ttyUSB7: no such device";
      break;
    case 2:
      outcome.message = "Failed to read out.\r\nTry again.";
      outcome.detail = "no answer to the handshake";
      break;
    case 4:
      outcome.message =
          "The frequency that you set cannot be \nprogrammed.\nPlease confirm the frequency again.";
      outcome.detail = "channel 001: 255.00000 MHz";
      break;
    default:
      outcome.message = "Failed to write.";
  }
  return outcome;
}

}  // namespace kestrel::ui::testing
