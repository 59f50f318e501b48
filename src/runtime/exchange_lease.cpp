#include "runtime/exchange_lease.h"

#include <memory>
#include <vector>

#include "command/byte_code_state.h"

namespace TarnLinkPrivate {

namespace {

// Pairs beyond these are freed when their lease ends: a meta command made
// under the compile trace holds one per packet, which is no reason to keep
// them all.
constexpr std::size_t kKeptExchanges = 8;

struct ThreadPool {
    std::vector<std::unique_ptr<Exchange>> exchanges;
    std::size_t leased = 0;
};

// The pool's owner is reached only when a thread first leases; every later
// lease reads a plain pointer, which needs no per-access check that the
// thread's pool was made.
thread_local ThreadPool* threadPool = nullptr;

ThreadPool& Pool()
{
    if (threadPool == nullptr) {
        thread_local std::unique_ptr<ThreadPool> owner = std::make_unique<ThreadPool>();
        threadPool = owner.get();
    }
    return *threadPool;
}

} // namespace

ExchangeLease::ExchangeLease() : level_(Pool().leased++)
{
    ThreadPool& pool = *threadPool;
    if (level_ == pool.exchanges.size()) {
        pool.exchanges.emplace_back();
    }
    std::unique_ptr<Exchange>& slot = pool.exchanges[level_];
    if (!slot) {
        slot = std::make_unique<Exchange>();
    }
    StateOf(slot->response).length = 0; // a request is compiled into, which empties it first
    exchange_ = slot.get();
}

ExchangeLease::~ExchangeLease()
{
    ThreadPool& pool = *threadPool;
    --pool.leased;
    if (level_ >= kKeptExchanges) {
        pool.exchanges[level_].reset();
    }
}

} // namespace TarnLinkPrivate
