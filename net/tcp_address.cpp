#include <cctype>

#include "tarnlink/TarnNetwork.h"

namespace TarnLink {
namespace Net {
namespace {

constexpr char kScheme[] = "tcp://";
constexpr std::size_t kSchemeLength = sizeof(kScheme) - 1;
constexpr unsigned long kHighestPort = 65535;
constexpr std::size_t kMaxPortDigits = 5;

bool ParsePort(const std::string& digits, std::uint16_t* port)
{
    if (digits.empty() || digits.size() > kMaxPortDigits) {
        return false;
    }
    unsigned long value = 0;
    for (char digit : digits) {
        if (std::isdigit(static_cast<unsigned char>(digit)) == 0) {
            return false;
        }
        value = value * 10 + static_cast<unsigned long>(digit - '0');
    }
    if (value > kHighestPort) {
        return false;
    }
    *port = static_cast<std::uint16_t>(value);
    return true;
}

// Splits "HOST:PORT" or "[IPv6]:PORT" at the colon before the port.
bool SplitHostAndPort(const std::string& text, std::string* host, std::string* port)
{
    std::size_t colon = std::string::npos;
    if (!text.empty() && text.front() == '[') {
        const std::size_t closing = text.find(']');
        if (closing == std::string::npos || closing + 1 >= text.size() || text[closing + 1] != ':') {
            return false;
        }
        *host = text.substr(1, closing - 1);
        colon = closing + 1;
    } else {
        colon = text.rfind(':');
        if (colon == std::string::npos || text.find(':') != colon) {
            return false; // an IPv6 address needs its brackets
        }
        *host = text.substr(0, colon);
    }
    *port = text.substr(colon + 1);
    return !host->empty();
}

} // namespace

bool TcpAddress::IsUrl(const std::string& text) { return text.compare(0, kSchemeLength, kScheme) == 0; }

bool TcpAddress::Parse(const std::string& text, TcpAddress* address)
{
    const std::string rest = IsUrl(text) ? text.substr(kSchemeLength) : text;
    std::string host;
    std::string portDigits;
    std::uint16_t port = 0;
    if (address == nullptr || rest.find("://") != std::string::npos || rest.find('/') != std::string::npos ||
        !SplitHostAndPort(rest, &host, &portDigits) || !ParsePort(portDigits, &port)) {
        return false;
    }
    address->host = host;
    address->port = port;
    return true;
}

std::string TcpAddress::ToUrl() const
{
    const bool bracketed = host.find(':') != std::string::npos;
    return kScheme + (bracketed ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

} // namespace Net
} // namespace TarnLink
