// The type-erased value holder behind parameter and capability values.

#include "tarnlink/TarnCommand.h"

namespace TarnLink {
namespace VariantImpl {

namespace {
constexpr char kBadVariantCastText[] = "bad_variant_cast: failed conversion using variant_cast";
} // namespace

const char* bad_variant_cast::what() const noexcept { return kBadVariantCastText; }

VariantContentBase::~VariantContentBase() = default;

// Holders live in each Variant's own storage, so swapping moves the held
// values through a scratch area rather than exchanging pointers.
Variant& Variant::swap(Variant& other) noexcept
{
    if (this == &other) {
        return *this;
    }
    alignas(std::max_align_t) unsigned char scratch[kStorageSize];
    VariantContentBase* parked = nullptr;
    const unsigned char parkedTag = tag_;
    if (content_ != nullptr) {
        parked = content_->move_into(scratch);
        reset();
    }
    if (other.content_ != nullptr) {
        content_ = other.content_->move_into(storage_);
        tag_ = other.tag_;
        other.reset();
    }
    if (parked != nullptr) {
        other.content_ = parked->move_into(other.storage_);
        other.tag_ = parkedTag;
        parked->~VariantContentBase();
    }
    return *this;
}

} // namespace VariantImpl
} // namespace TarnLink
