#include <mutex>

#include "server_run.h"
#include "tarnlink/TarnNetwork.h"

namespace TarnLink {
namespace Net {

struct DeviceServer::State {
    State(TarnConduit& served, DeviceServerOptions given) : device(served), options(std::move(given)) {}

    TarnConduit& device;
    const DeviceServerOptions options;
    mutable std::mutex mutex; // guards run
    std::unique_ptr<TarnLinkNet::ServerRun> run;
};

DeviceServer::DeviceServer(TarnConduit& device, DeviceServerOptions options)
    : state_(std::make_unique<State>(device, std::move(options)))
{
}

DeviceServer::~DeviceServer() { Stop(); }

void DeviceServer::Start()
{
    std::lock_guard<std::mutex> guard(state_->mutex);
    if (state_->run == nullptr) {
        state_->run = std::make_unique<TarnLinkNet::ServerRun>(state_->device, state_->options);
    }
}

void DeviceServer::Stop()
{
    std::unique_ptr<TarnLinkNet::ServerRun> ending;
    {
        std::lock_guard<std::mutex> guard(state_->mutex);
        ending = std::move(state_->run);
    }
    ending.reset(); // outside the lock: the getters answer while it winds down
}

bool DeviceServer::IsRunning() const
{
    std::lock_guard<std::mutex> guard(state_->mutex);
    return state_->run != nullptr;
}

std::uint16_t DeviceServer::GetPort() const
{
    std::lock_guard<std::mutex> guard(state_->mutex);
    return state_->run != nullptr ? state_->run->Port() : 0;
}

std::size_t DeviceServer::GetConnectionCount() const
{
    std::lock_guard<std::mutex> guard(state_->mutex);
    return state_->run != nullptr ? state_->run->ConnectionCount() : 0;
}

} // namespace Net
} // namespace TarnLink
