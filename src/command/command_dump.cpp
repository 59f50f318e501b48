// The multi-line diagnostic description of a command.

#include <ios>
#include <ostream>
#include <string>
#include <type_traits>
#include <vector>

#include "command/command_status.h"
#include "command/stored_value.h"
#include "command/command_state.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLink {

namespace {
constexpr char kDumpHeading[] = "\nDump of TarnCommand : ";
constexpr char kNameLabel[] = "\nName: ";
constexpr char kParametersHeading[] = "\nParamters:";
constexpr char kParamLabel[] = "\n\t Param: ";
constexpr char kTypeLabel[] = " Type: ";
constexpr char kValueLabel[] = " Value: ";
constexpr char kHighLabel[] = " Hi32: ";
constexpr char kLowLabel[] = " Lo32: ";
constexpr char kLengthLabel[] = " Length: ";
constexpr char kBytesLabel[] = " Bytes: ";
constexpr char kEmptyBytes[] = " !@EMPTY@! ";
constexpr char kSendLabel[] = "\nSend Command: ";
constexpr char kStatusLabel[] = "\nStatus: ";
constexpr char kUnknownStatus[] = "UNKNOWN ENUM";
constexpr char kDumpEnd[] = "\n";

// Writes " Type: <name> Value: <value>" for one held value.
class ValueDumper {
public:
    explicit ValueDumper(std::ostream& out) : out_(out) {}

    template <class Integer>
    std::enable_if_t<std::is_integral_v<Integer>> operator()(Integer value)
    {
        const char* typeName = TarnLinkPrivate::ParamTypeOf<Integer>::dumpName;
        if constexpr (sizeof(Integer) == sizeof(std::uint64_t)) {
            WriteHalves(typeName, value);
        } else {
            Write(typeName, +value);
        }
    }
    void operator()(const std::vector<char>& bytes)
    {
        Write(TarnLinkPrivate::ParamTypeOf<std::vector<char>>::dumpName, kLengthLabel);
        out_ << bytes.size() << kBytesLabel;
        if (bytes.empty()) {
            out_ << kEmptyBytes;
        } else {
            out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
    }
    void operator()(const std::string& symbol) { Write("std::string", symbol); }
    void operator()(TarnLinkPrivate::UnknownStoredValue) { Write("void", TarnLinkPrivate::kUnknownStoredValueText); }

private:
    template <class T>
    void Write(const char* typeName, const T& value)
    {
        out_ << kTypeLabel << typeName << kValueLabel << value;
    }

    template <class T>
    void WriteHalves(const char* typeName, T value)
    {
        Write(typeName, kHighLabel);
        out_ << TarnLinkPrivate::HighHalf(value) << kLowLabel << TarnLinkPrivate::LowHalf(value);
    }

    std::ostream& out_;
};
} // namespace

void TarnCommand::Dump(std::ostream& out) const
{
    out << kDumpHeading << kNameLabel << state_->name << kParametersHeading;
    for (const TarnLinkPrivate::CommandState::Slot* parameter : state_->SetSlotsInOrder()) {
        out << kParamLabel << parameter->name;
        TarnLinkPrivate::VisitStoredValue(parameter->value, ValueDumper(out));
    }
    const char* status = TarnLinkPrivate::StatusConstantName(state_->status);
    out << kSendLabel << std::boolalpha << state_->isSend << kStatusLabel
        << (status != nullptr ? status : kUnknownStatus) << kDumpEnd << std::noboolalpha;
}

} // namespace TarnLink
