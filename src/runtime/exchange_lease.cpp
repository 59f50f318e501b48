#include "runtime/exchange_lease.h"

namespace TarnLinkPrivate {

namespace {

void ReleaseThreadPool(void* pool) { delete static_cast<ThreadExchanges*>(pool); }

} // namespace

ThreadExchanges& MakeThreadPool(std::unique_ptr<ThreadExchanges>& unkept)
{
    auto pool = std::make_unique<ThreadExchanges>();
    if (Platform::KeepThreadState(pool.get(), ReleaseThreadPool)) {
        return *pool.release();
    }
    unkept = std::move(pool);
    return *unkept;
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
