#ifndef TARNLINK_RUNTIME_EXCHANGE_LEASE_H
#define TARNLINK_RUNTIME_EXCHANGE_LEASE_H

// The request and response byte-codes of one packet exchange, lent by the
// calling thread's own pool. A thread keeps a few pairs with their buffers,
// so that executing again allocates nothing.

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "command/byte_code_state.h"
#include "platform/platform.h"
#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkPrivate {

struct Exchange {
    TarnLink::TarnCommandByteCode request;
    TarnLink::TarnCommandByteCode response;
};

// Pairs beyond these are made for their lease and freed when it ends: a meta
// command made under the compile trace holds one per packet, which is no
// reason to keep them all.
constexpr std::size_t kKeptExchanges = 8;

// The kept pairs sit in the pool itself, so a lease reaches its pair without
// following a pointer per pair.
struct ThreadExchanges {
    std::array<Exchange, kKeptExchanges> kept;
    std::vector<std::unique_ptr<Exchange>> beyond;
    std::size_t leased = 0;
};

// Makes a pool for the calling thread and has the platform release it when the
// thread ends. Should the system keep no state for the thread, the pool is
// handed to unkept instead, to live as long as one lease.
ThreadExchanges& MakeThreadPool(std::unique_ptr<ThreadExchanges>& unkept);
// A pair made for a lease at a level beyond the kept ones.
Exchange* MakeBeyond(ThreadExchanges& pool, std::size_t level);

// Lends the thread's next pair until the lease ends: the response empty, the
// request holding an old packet until something is compiled into it. Leases are
// scoped: one started inside the life of another (an execution nested in a
// listener or conduit call, the packets of a meta command) ends before it.
// Inline: every execution takes one.
class ExchangeLease {
public:
    ExchangeLease() : pool_(ThreadPool()), level_(pool_.leased++)
    {
        exchange_ = level_ < kKeptExchanges ? &pool_.kept[level_] : MakeBeyond(pool_, level_);
        StateOf(exchange_->response).length = 0; // a request is compiled into, which empties it first
    }
    ~ExchangeLease()
    {
        --pool_.leased;
        if (level_ >= kKeptExchanges) {
            pool_.beyond[level_ - kKeptExchanges].reset();
        }
    }
    ExchangeLease(const ExchangeLease&) = delete;
    ExchangeLease& operator=(const ExchangeLease&) = delete;

    TarnLink::TarnCommandByteCode& Request() { return exchange_->request; }
    TarnLink::TarnCommandByteCode& Response() { return exchange_->response; }

private:
    ThreadExchanges& ThreadPool()
    {
        auto* pool = static_cast<ThreadExchanges*>(Platform::ThreadState());
        return pool != nullptr ? *pool : MakeThreadPool(unkept_);
    }

    std::unique_ptr<ThreadExchanges> unkept_; // made before pool_, which may take it
    ThreadExchanges& pool_;                   // reached once per lease: a thread's state is not free to reach
    std::size_t level_;
    Exchange* exchange_;
};

} // namespace TarnLinkPrivate

#endif
