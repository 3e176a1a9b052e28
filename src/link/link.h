// The whole link as one object: a port, a clock, the chosen port and the line state, with the
// transfer steps that the read and program sequences run. One Link is used by one thread at a
// time (the worker that runs a sequence).
#pragma once

#include <span>
#include <string>

#include "image/memory_image.h"
#include "link/link_result.h"
#include "link/port_choice.h"
#include "link/range_lists.h"
#include "link/serial_line.h"
#include "link/transfer.h"

namespace kestrel::link {

class Link {
 public:
  Link(SerialPort& port, Clock& clock) : line_(port, clock) {}

  // The simulated receiver's port takes any name; it is opened as "sim", "sim2" ...
  void SelectPort(const PortChoice& choice);
  void SelectPortNumber(int number) { line_.SetPortNumber(number); }
  // Every step looks at `cancel` before each command it sends; none when null.
  void SetCancel(const CancelToken* cancel) { line_.SetCancel(cancel); }

  LinkStatus ReadPrecheck(MemoryImage& image, const Progress& progress = {}) {
    return link::ReadPrecheck(line_, image, progress);
  }
  LinkStatus ProgramPrecheck(MemoryImage& image, const Progress& progress = {}) {
    return link::ProgramPrecheck(line_, image, progress);
  }
  LinkStatus ReadRanges(MemoryImage& image, std::span<const AddressRange> list,
                        const Progress& progress = {}) {
    return link::ReadRanges(line_, image, list, progress);
  }
  LinkStatus WriteRanges(const MemoryImage& image, std::span<const AddressRange> list,
                         const Progress& progress = {}) {
    return link::WriteRanges(line_, image, list, progress);
  }

  SerialLine& line() { return line_; }

 private:
  SerialLine line_;
};

}  // namespace kestrel::link
