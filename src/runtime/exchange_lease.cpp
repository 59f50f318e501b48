#include "runtime/exchange_lease.h"

namespace TarnLinkPrivate {

ThreadExchanges& MakeThreadPool()
{
    thread_local std::unique_ptr<ThreadExchanges> owner = std::make_unique<ThreadExchanges>();
    ThreadPoolPointer() = owner.get();
    return *owner;
}

Exchange* MakeBeyond(ThreadExchanges& pool, std::size_t level)
{
    const std::size_t index = level - kKeptExchanges;
    if (index == pool.beyond.size()) {
        pool.beyond.emplace_back();
    }
    pool.beyond[index] = std::make_unique<Exchange>();
    return pool.beyond[index].get();
}

} // namespace TarnLinkPrivate
