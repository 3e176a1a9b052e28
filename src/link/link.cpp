#include "link/link.h"

namespace kestrel::link {

void Link::SelectPort(const PortChoice& choice) {
  switch (choice.kind) {
    case PortChoice::Kind::kNumber:
      line_.SetPortNumber(choice.number);
      break;
    case PortChoice::Kind::kDevice:
      line_.SetPortName(choice.device);
      break;
    case PortChoice::Kind::kSimulated:
      line_.SetPortName(choice.Text());
      break;
    case PortChoice::Kind::kNone:
      line_.SetPortNumber(0);
      break;
  }
}

}  // namespace kestrel::link
