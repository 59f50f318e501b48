#include "runtime/exchange_lease.h"

#include <array>
#include <memory>
#include <vector>

#include "command/byte_code_state.h"

namespace TarnLinkPrivate {

namespace {

// Pairs beyond these are made for their lease and freed when it ends: a meta
// command made under the compile trace holds one per packet, which is no
// reason to keep them all.
constexpr std::size_t kKeptExchanges = 8;

} // namespace

// The kept pairs sit in the pool itself, so a lease reaches its pair without
// following a pointer per pair.
struct ThreadExchanges {
    std::array<Exchange, kKeptExchanges> kept;
    std::vector<std::unique_ptr<Exchange>> beyond;
    std::size_t leased = 0;
};

namespace {

// The pool's owner is reached only when a thread first leases; every later
// lease reads a plain pointer, which needs no per-access check that the
// thread's pool was made.
thread_local ThreadExchanges* threadPool = nullptr;

ThreadExchanges& Pool()
{
    if (threadPool == nullptr) {
        thread_local std::unique_ptr<ThreadExchanges> owner = std::make_unique<ThreadExchanges>();
        threadPool = owner.get();
    }
    return *threadPool;
}

Exchange* MakeBeyond(std::vector<std::unique_ptr<Exchange>>& beyond, std::size_t index)
{
    if (index == beyond.size()) {
        beyond.emplace_back();
    }
    beyond[index] = std::make_unique<Exchange>();
    return beyond[index].get();
}

} // namespace

ExchangeLease::ExchangeLease() : pool_(Pool()), level_(pool_.leased++)
{
    exchange_ = level_ < kKeptExchanges ? &pool_.kept[level_] : MakeBeyond(pool_.beyond, level_ - kKeptExchanges);
    StateOf(exchange_->response).length = 0; // a request is compiled into, which empties it first
}

ExchangeLease::~ExchangeLease()
{
    --pool_.leased;
    if (level_ >= kKeptExchanges) {
        pool_.beyond[level_ - kKeptExchanges].reset();
    }
}

} // namespace TarnLinkPrivate
