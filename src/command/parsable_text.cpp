// The one-line text form of a command that the trace log holds, and reading
// its body back.

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "command/stored_value.h"
#include "command/tarn_command_body.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLink {

namespace {
constexpr char kStatementStart[] = "\ntarn ";
constexpr char kRequestWord[] = "request ";
constexpr char kSendWord[] = "send ";
constexpr char kStatementEnd[] = " . ;";
constexpr char kEndOfParameters[] = ".";
constexpr char kUnknownValue[] = "Unknown stored variant type - error.";
constexpr char kInt8[] = "INT8";
constexpr char kUInt8[] = "UINT8";
constexpr char kInt16[] = "INT16";
constexpr char kUInt16[] = "UINT16";
constexpr char kInt32[] = "INT32";
constexpr char kUInt32[] = "UINT32";
constexpr char kInt64[] = "INT64";
constexpr char kUInt64[] = "UINT64";
constexpr char kBytes[] = "BYTES";
constexpr char kSymbol[] = "SYMBOL";
// Byte streams are read in pieces of this size, so that a count in the text
// never sizes a buffer before the bytes are really there.
constexpr std::size_t kByteStreamChunk = 4096;

// Writes " KEYWORD value" for one held value.
class ValueWriter {
public:
    explicit ValueWriter(std::ostream& out) : out_(out) {}

    void operator()(signed char value) { Write(kInt8, static_cast<int>(value)); }
    void operator()(unsigned char value) { Write(kUInt8, static_cast<unsigned>(value)); }
    void operator()(short value) { Write(kInt16, value); }
    void operator()(unsigned short value) { Write(kUInt16, value); }
    void operator()(std::int32_t value) { Write(kInt32, value); }
    void operator()(std::uint32_t value) { Write(kUInt32, value); }
    void operator()(std::int64_t value)
    {
        Write(kInt64, TarnLinkPrivate::HighHalf(value));
        out_ << ' ' << TarnLinkPrivate::LowHalf(value);
    }
    void operator()(std::uint64_t value)
    {
        Write(kUInt64, TarnLinkPrivate::HighHalf(value));
        out_ << ' ' << TarnLinkPrivate::LowHalf(value);
    }
    void operator()(const std::vector<char>& bytes)
    {
        Write(kBytes, bytes.size());
        out_ << ' ';
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void operator()(const std::string& symbol) { Write(kSymbol, symbol); }
    void operator()(TarnLinkPrivate::UnknownStoredValue) { out_ << ' ' << kUnknownValue; }

private:
    template <class T>
    void Write(const char* keyword, const T& value)
    {
        out_ << ' ' << keyword << ' ' << value;
    }

    std::ostream& out_;
};

// Reads a number of type T and, when that succeeds, sets it as type Held.
template <class T, class Held>
void ReadAndSet(std::istream& in, TarnCommand& command, const char* name, void (TarnCommand::*set)(const char*, Held))
{
    T value{};
    if (in >> value) {
        (command.*set)(name, static_cast<Held>(value));
    }
}

// A number that cannot be read takes the fallback value.
std::uint32_t ReadUnsigned32(std::istream& in, std::uint32_t fallback)
{
    std::uint32_t value = 0;
    return in >> value ? value : fallback;
}

std::uint64_t ReadHalves(std::istream& in, std::uint32_t highFallback)
{
    const std::uint64_t high = ReadUnsigned32(in, highFallback);
    return high << 32 | ReadUnsigned32(in, 0);
}

// The high half of a signed value is signed text ("-1" for all ones).
std::uint64_t ReadSignedHalves(std::istream& in)
{
    std::int32_t high = -1;
    if (!(in >> high)) {
        high = -1;
    }
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(high)) << 32 | ReadUnsigned32(in, 0);
}

// Exactly count bytes, read piecewise; false when the stream holds fewer.
bool ReadByteStream(std::istream& in, std::uint32_t count, std::vector<char>& bytes)
{
    char separator = 0;
    if (!in.get(separator)) {
        return false;
    }
    std::size_t remaining = count;
    while (remaining > 0) {
        const std::size_t piece = std::min(remaining, kByteStreamChunk);
        const std::size_t before = bytes.size();
        bytes.resize(before + piece);
        in.read(bytes.data() + before, static_cast<std::streamsize>(piece));
        if (static_cast<std::size_t>(in.gcount()) != piece) {
            return false;
        }
        remaining -= piece;
    }
    return true;
}

// A word holding a NUL byte would be stored cut at that byte, and the cut word
// would no longer read back as the text it came from.
bool TextCarries(const std::string& word) { return word.find('\0') == std::string::npos; }

// The next word; a word the text form cannot carry puts the stream into its
// failure state.
bool ReadWord(std::istream& in, std::string& word)
{
    if (in >> word && !TextCarries(word)) {
        in.setstate(std::ios::failbit);
    }
    return static_cast<bool>(in);
}

// Reads the value text that follows keyword and sets it; a word that is no
// keyword reads and sets nothing.
void ReadValue(std::istream& in, const std::string& keyword, const char* name, TarnCommand& command)
{
    if (keyword == kInt8) {
        ReadAndSet<int>(in, command, name, &TarnCommand::SetParamInt8);
    } else if (keyword == kUInt8) {
        ReadAndSet<int>(in, command, name, &TarnCommand::SetParamUInt8);
    } else if (keyword == kInt16) {
        ReadAndSet<short>(in, command, name, &TarnCommand::SetParamInt16);
    } else if (keyword == kUInt16) {
        ReadAndSet<unsigned short>(in, command, name, &TarnCommand::SetParamUInt16);
    } else if (keyword == kInt32) {
        ReadAndSet<std::int32_t>(in, command, name, &TarnCommand::SetParamInt32);
    } else if (keyword == kUInt32) {
        ReadAndSet<std::uint32_t>(in, command, name, &TarnCommand::SetParamUInt32);
    } else if (keyword == kInt64) {
        command.SetParamInt64(name, static_cast<std::int64_t>(ReadSignedHalves(in)));
    } else if (keyword == kUInt64) {
        command.SetParamUInt64(name, ReadHalves(in, UINT32_MAX));
    } else if (keyword == kBytes) {
        const std::uint32_t count = ReadUnsigned32(in, 0);
        std::vector<char> bytes;
        if (count != 0 && ReadByteStream(in, count, bytes)) {
            command.SetParamByteStream(name, bytes.data(), bytes.size());
        }
    } else if (keyword == kSymbol) {
        std::string symbol;
        if (ReadWord(in, symbol)) {
            command.SetParamBySymbol(name, symbol.c_str());
        }
    }
}
} // namespace

void TarnCommand::WriteParsable(std::ostream& out) const
{
    out << kStatementStart;
    if (!body_->isSend) {
        out << kRequestWord << body_->name << kStatementEnd;
        return;
    }
    out << kSendWord << body_->name;
    for (const Body::Parameter& parameter : body_->parameters) {
        out << ' ' << parameter.name;
        TarnLinkPrivate::VisitStoredValue(parameter.value, ValueWriter(out));
    }
    out << kStatementEnd;
}

void TarnCommand::Parse(std::istream& in)
{
    ClearParameters();
    std::string name;
    if (!ReadWord(in, name) && !TextCarries(name)) {
        return;
    }
    body_->SetName(name.c_str());
    std::string parameterName;
    std::string keyword;
    while (ReadWord(in, parameterName) && parameterName != kEndOfParameters && ReadWord(in, keyword)) {
        ReadValue(in, keyword, parameterName.c_str(), *this);
    }
}

} // namespace TarnLink
