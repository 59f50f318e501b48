#ifndef TARNLINK_RUNTIME_EXCHANGE_LEASE_H
#define TARNLINK_RUNTIME_EXCHANGE_LEASE_H

// The request and response byte-codes of one packet exchange, lent by the
// calling thread's own pool. A thread keeps a few pairs with their buffers,
// so that executing again allocates nothing.

#include <cstddef>

#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkPrivate {

struct Exchange {
    TarnLink::TarnCommandByteCode request;
    TarnLink::TarnCommandByteCode response;
};

// Lends the thread's next pair until the lease ends: the response empty, the
// request holding an old packet until something is compiled into it. Leases are
// scoped: one started inside the life of another (an execution nested in a
// listener or conduit call, the packets of a meta command) ends before it.
struct ThreadExchanges;

class ExchangeLease {
public:
    ExchangeLease();
    ~ExchangeLease();
    ExchangeLease(const ExchangeLease&) = delete;
    ExchangeLease& operator=(const ExchangeLease&) = delete;

    TarnLink::TarnCommandByteCode& Request() { return exchange_->request; }
    TarnLink::TarnCommandByteCode& Response() { return exchange_->response; }

private:
    ThreadExchanges& pool_; // reached once per lease: a thread-local access is not free
    std::size_t level_;
    Exchange* exchange_;
};

} // namespace TarnLinkPrivate

#endif
