// The one-line text form of a command that the trace log holds, and reading
// its body back.

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "command/stored_value.h"
#include "command/command_state.h"
#include "command/typed_access.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLink {

namespace {
constexpr char kStatementStart[] = "\ntarn ";
constexpr char kRequestWord[] = "request ";
constexpr char kSendWord[] = "send ";
constexpr char kStatementEnd[] = " . ;";
constexpr char kEndOfParameters[] = ".";
constexpr char kSymbol[] = "SYMBOL";
// Byte streams are read in pieces of this size, so that a count in the text
// never sizes a buffer before the bytes are really there.
constexpr std::size_t kByteStreamChunk = 4096;

using TarnLinkPrivate::ParamTypeOf;

// Writes " KEYWORD value" for one held value: 64-bit values as their two
// 32-bit halves, 8-bit ones as numbers.
class ValueWriter {
public:
    explicit ValueWriter(std::ostream& out) : out_(out) {}

    template <class Integer>
    std::enable_if_t<std::is_integral_v<Integer>> operator()(Integer value)
    {
        if constexpr (sizeof(Integer) == sizeof(std::uint64_t)) {
            Write(ParamTypeOf<Integer>::keyword, TarnLinkPrivate::HighHalf(value));
            out_ << ' ' << TarnLinkPrivate::LowHalf(value);
        } else {
            Write(ParamTypeOf<Integer>::keyword, +value);
        }
    }
    void operator()(const std::vector<char>& bytes)
    {
        Write(ParamTypeOf<std::vector<char>>::keyword, bytes.size());
        out_ << ' ';
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    void operator()(const std::string& symbol) { Write(kSymbol, symbol); }
    void operator()(TarnLinkPrivate::UnknownStoredValue) { out_ << ' ' << TarnLinkPrivate::kUnknownStoredValueText; }

private:
    template <class T>
    void Write(const char* keyword, const T& value)
    {
        out_ << ' ' << keyword << ' ' << value;
    }

    std::ostream& out_;
};

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

// Reads the text of an integer value of type Integer and sets it: 64-bit
// values as two 32-bit halves, 8-bit ones as numbers (not characters).
template <class Integer>
void ReadInteger(std::istream& in, const char* name, TarnCommand& command)
{
    if constexpr (std::is_same_v<Integer, std::int64_t>) {
        TarnLinkPrivate::SetTyped(command, name, static_cast<std::int64_t>(ReadSignedHalves(in)));
    } else if constexpr (std::is_same_v<Integer, std::uint64_t>) {
        TarnLinkPrivate::SetTyped(command, name, ReadHalves(in, UINT32_MAX));
    } else {
        std::conditional_t<sizeof(Integer) == 1, int, Integer> value{};
        if (in >> value) {
            TarnLinkPrivate::SetTyped(command, name, static_cast<Integer>(value));
        }
    }
}

void ReadBytes(std::istream& in, const char* name, TarnCommand& command)
{
    const std::uint32_t count = ReadUnsigned32(in, 0);
    std::vector<char> bytes;
    if (count != 0 && ReadByteStream(in, count, bytes)) {
        command.SetParamByteStream(name, bytes.data(), bytes.size());
    }
}

// Reads the value text that follows keyword and sets it. A word that is no
// keyword reads and sets nothing: the text form takes the word after it as
// the next parameter's name.
void ReadValue(std::istream& in, const std::string& keyword, const char* name, TarnCommand& command)
{
    const TarnLinkPrivate::ParamType type = TarnLinkPrivate::ParamTypeFromName(keyword);
    if (type == TarnLinkPrivate::ParamType::kBytes) {
        ReadBytes(in, name, command);
        return;
    }
    const bool integer = TarnLinkPrivate::VisitIntegerType(type, [&](auto zero) {
        ReadInteger<decltype(zero)>(in, name, command);
        return true;
    });
    if (!integer && keyword == kSymbol) {
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
    if (!state_->isSend) {
        out << kRequestWord << state_->name << kStatementEnd;
        return;
    }
    out << kSendWord << state_->name;
    for (const TarnLinkPrivate::CommandState::Slot* parameter : state_->SetSlotsInOrder()) {
        out << ' ' << parameter->name;
        TarnLinkPrivate::VisitStoredValue(parameter->value, ValueWriter(out));
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
    state_->Rename(name.c_str());
    std::string parameterName;
    std::string keyword;
    while (ReadWord(in, parameterName) && parameterName != kEndOfParameters && ReadWord(in, keyword)) {
        ReadValue(in, keyword, parameterName.c_str(), *this);
    }
}

} // namespace TarnLink
