#include "comparison.h"

#include <iterator>

namespace TarnLinkBench {

std::vector<Measurement>& Measurements()
{
    static std::vector<Measurement> measurements;
    return measurements;
}

std::vector<Comparison>& Comparisons()
{
    static std::vector<Comparison> comparisons;
    return comparisons;
}

bool Register(std::vector<Measurement> measurements, std::vector<Comparison> comparisons)
{
    Measurements().insert(Measurements().end(), std::make_move_iterator(measurements.begin()),
                          std::make_move_iterator(measurements.end()));
    Comparisons().insert(Comparisons().end(), std::make_move_iterator(comparisons.begin()),
                         std::make_move_iterator(comparisons.end()));
    return true;
}

} // namespace TarnLinkBench
