#include "link/qt/program_receivers.h"

#include <QThread>
#include <memory>

namespace kestrel::link {

std::vector<LinkStatus> ProgramReceivers(std::span<BatchReceiver> receivers,
                                         const RadioConfig& record, const ProgramOptions& options,
                                         const CancelToken& cancel) {
  std::vector<LinkStatus> outcomes(receivers.size());
  std::vector<std::unique_ptr<QThread>> workers;
  for (std::size_t i = 0; i < receivers.size(); ++i) {
    workers.emplace_back(QThread::create([&, i] {
      BatchReceiver& receiver = receivers[i];
      PortLink port_link(receiver.setup);
      port_link.link().SetCancel(&cancel);
      outcomes[i] =
          ProgramToRadio(port_link.link(), receiver.image, record, options, receiver.report);
    }));
    workers.back()->start();
  }
  for (const auto& worker : workers) worker->wait();
  return outcomes;
}

}  // namespace kestrel::link
