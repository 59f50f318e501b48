#include "stop_signals.h"

#include <asio.hpp>
#include <csignal>

namespace TarnLinkTool {

struct StopSignals::State {
    asio::io_context io;
    asio::signal_set signals{io, SIGINT, SIGTERM};
};

StopSignals::StopSignals() : state_(std::make_unique<State>())
{
    state_->signals.async_wait([](const asio::error_code& /*error*/, int /*signal*/) {});
}

StopSignals::~StopSignals() = default;

void StopSignals::Wait() { state_->io.run(); }

} // namespace TarnLinkTool
