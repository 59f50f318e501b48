#include "runtime/crc_calculator.h"

#include <array>

namespace TarnLinkPrivate {

namespace {

constexpr std::uint32_t kReflectedPolynomial = 0xEDB88320u;
constexpr std::uint32_t kInitialValue = 0xFFFFFFFFu;

using CRCTable = std::array<std::uint32_t, 256>;

CRCTable BuildTable()
{
    CRCTable table{};
    for (std::uint32_t index = 0; index < table.size(); ++index) {
        std::uint32_t value = index;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1u) != 0 ? (value >> 1) ^ kReflectedPolynomial : value >> 1;
        }
        table[index] = value;
    }
    return table;
}

// Built once, on first use; the language makes that initialization thread-safe.
const CRCTable& Table()
{
    static const CRCTable table = BuildTable();
    return table;
}

} // namespace

CRCCalculator::CRCCalculator() { Table(); }

void CRCCalculator::Begin() { running_ = kInitialValue; }

void CRCCalculator::Update(const unsigned char* data, std::size_t count)
{
    if (data == nullptr) {
        return;
    }
    const CRCTable& table = Table();
    for (std::size_t i = 0; i < count; ++i) {
        running_ = table[(running_ ^ data[i]) & 0xFFu] ^ (running_ >> 8);
    }
}

void CRCCalculator::End() { running_ = ~running_; }

} // namespace TarnLinkPrivate
