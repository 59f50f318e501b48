#include "platform/line_endings.h"

namespace TarnLinkPrivate {
namespace Platform {

std::string DropCarriageReturnsBeforeLineFeeds(const std::string& raw)
{
    std::string text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            continue;
        }
        text.push_back(raw[i]);
    }
    return text;
}

} // namespace Platform
} // namespace TarnLinkPrivate
