#ifndef TARNLINK_RUNTIME_CRC_CALCULATOR_H
#define TARNLINK_RUNTIME_CRC_CALCULATOR_H

// CRC-32 of the IEEE 802.3 kind (reflected polynomial 0xEDB88320), as the
// definition file trailers carry it.

#include <cstddef>
#include <cstdint>

namespace TarnLinkPrivate {

class CRCCalculator {
public:
    // The first calculator builds the shared lookup table.
    CRCCalculator();

    void Begin();
    void Update(const unsigned char* data, std::size_t count);
    void End();
    std::uint32_t GetValue() const { return running_; }
    void SetExpectedValue(std::uint32_t value) { expected_ = value; }
    bool IsValid() const { return running_ == expected_; }

private:
    std::uint32_t expected_ = 0;
    std::uint32_t running_ = 0;
};

} // namespace TarnLinkPrivate

#endif
