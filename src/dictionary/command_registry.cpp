#include "dictionary/command_registry.h"

#include <cstring>
#include <exception>
#include <memory>
#include <ostream>

#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kMetaFormatNotFound[] = "\nIsMetaCommandFormat- Command format not found - Command : ";
constexpr char kDiagFormatNotFound[] = "\nIsDiagCommandFormat- Command format not found - Command : ";
constexpr char kTimeoutFormatNotFound[] = "\nGetOverrideTimeoutMillisec - Command format not found - Command : ";
constexpr char kUnknownException[] = "UnknownException";

// One entry of the hash index. The name views the registered format's own
// name, which stays unchanged while the format is registered, so a lookup
// neither copies nor allocates.
struct NameSlot {
    std::uint32_t hash = 0;
    std::uint32_t length = 0;
    const char* name = nullptr; // null marks a free slot
    CommandFormat* format = nullptr;
};

// Definitions are only added while the dictionary loads and all go at once at
// teardown, so the index is open addressing with linear probing: no removal,
// and a power-of-two size kept at most half full.
class NameHashIndex {
public:
    void Insert(CommandFormat* format)
    {
        if ((count_ + 1) * 2 > slots_.size()) {
            Grow();
        }
        const std::string& name = format->Name();
        NameSlot slot;
        slot.name = name.c_str();
        slot.length = static_cast<std::uint32_t>(name.size());
        slot.hash = HashName(name.data(), name.size());
        slot.format = format;
        Place(slot);
        ++count_;
    }

    // One pass over the text gives both its hash and its length.
    CommandFormat* Find(const char* name) const
    {
        std::uint32_t hash = kHashSeed;
        const char* end = name;
        for (; *end != '\0'; ++end) {
            hash = HashStep(hash, *end);
        }
        return Find(name, static_cast<std::size_t>(end - name), hash);
    }

    CommandFormat* Find(const std::string& name) const
    {
        return Find(name.data(), name.size(), HashName(name.data(), name.size()));
    }

private:
    static constexpr std::uint32_t kHashSeed = 2166136261u;
    static constexpr std::size_t kInitialSlots = 256;

    // Multiply-xor per byte: one short dependency chain, and names of one
    // family (a common prefix, a different tail) still spread over the table.
    static std::uint32_t HashStep(std::uint32_t hash, char byte)
    {
        return (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    }

    static std::uint32_t HashName(const char* name, std::size_t length)
    {
        std::uint32_t hash = kHashSeed;
        for (std::size_t i = 0; i < length; ++i) {
            hash = HashStep(hash, name[i]);
        }
        return hash;
    }

    CommandFormat* Find(const char* name, std::size_t length, std::uint32_t hash) const
    {
        if (slots_.empty()) {
            return nullptr;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t index = hash & mask; slots_[index].name != nullptr; index = (index + 1) & mask) {
            const NameSlot& slot = slots_[index];
            if (slot.hash == hash && slot.length == length && std::memcmp(slot.name, name, length) == 0) {
                return slot.format;
            }
        }
        return nullptr;
    }

    void Place(const NameSlot& slot)
    {
        const std::size_t mask = slots_.size() - 1;
        std::size_t index = slot.hash & mask;
        while (slots_[index].name != nullptr) {
            index = (index + 1) & mask;
        }
        slots_[index] = slot;
    }

    void Grow()
    {
        std::vector<NameSlot> previous(slots_.empty() ? kInitialSlots : slots_.size() * 2);
        previous.swap(slots_);
        for (const NameSlot& slot : previous) {
            if (slot.name != nullptr) {
                Place(slot);
            }
        }
    }

    std::vector<NameSlot> slots_;
    std::size_t count_ = 0;
};

struct Registry {
    NameRegistry byName;
    NameHashIndex byNameHash;
};

std::unique_ptr<Registry> gRegistry;
// Starts above zero so that a cache that never saw the dictionary is stale.
// Changes only while definitions load or go, which the host never does while
// it compiles or decodes, so a plain integer serves.
std::uint64_t gGeneration = 1;
std::unique_ptr<TypeCodeIndex> gTypeCodeIndex;
std::unique_ptr<OpcodeIndex> gOpcodeIndex;

template <typename Container>
Container& Ensure(std::unique_ptr<Container>& container)
{
    if (!container) {
        container = std::make_unique<Container>();
    }
    return *container;
}

bool ReportUnknown(const char* message, const char* commandName)
{
    VerboseMessage(message, (commandName != nullptr ? commandName : ""));
    return false;
}

} // namespace

const NameRegistry& GetNameRegistry() { return Ensure(gRegistry).byName; }
const TypeCodeIndex& GetTypeCodeIndex() { return Ensure(gTypeCodeIndex); }
const OpcodeIndex& GetOpcodeIndex() { return Ensure(gOpcodeIndex); }

CommandFormat* FindCommandFormat(const char* name)
{
    return name != nullptr && gRegistry ? gRegistry->byNameHash.Find(name) : nullptr;
}

CommandFormat* FindCommandFormat(const std::string& name)
{
    return gRegistry ? gRegistry->byNameHash.Find(name) : nullptr;
}

std::uint64_t RegistryGeneration() { return gGeneration; }

bool IsMetaCommandFormat(const char* commandName)
{
    return IsMetaCommandFormat(FindCommandFormat(commandName), commandName);
}

bool IsDiagCommandFormat(const char* commandName)
{
    return IsDiagCommandFormat(FindCommandFormat(commandName), commandName);
}

bool IsMetaCommandFormat(const CommandFormat* definition, const char* commandName)
{
    return definition != nullptr ? definition->IsMetaCommandFormat()
                                 : ReportUnknown(kMetaFormatNotFound, commandName);
}

bool IsDiagCommandFormat(const CommandFormat* definition, const char* commandName)
{
    return definition != nullptr ? definition->IsDiagCommandFormat()
                                 : ReportUnknown(kDiagFormatNotFound, commandName);
}

bool SetOverrideTimeoutMillisec(const std::string& commandName, std::uint32_t timeoutMillisec)
{
    CommandFormat* format = FindCommandFormat(commandName);
    if (format == nullptr) {
        return ReportUnknown(kTimeoutFormatNotFound, commandName.c_str());
    }
    format->SetOverrideTimeoutMillisec(timeoutMillisec);
    return true;
}

void RegisterName(CommandFormat* format)
{
    if (format == nullptr) {
        return;
    }
    Registry& registry = Ensure(gRegistry);
    const auto inserted = registry.byName.emplace(format->Name(), format);
    if (inserted.second) {
        registry.byNameHash.Insert(format);
        ++gGeneration;
    }
}

void RegisterTypeCode(const TypeCode& code, const std::string& name) { Ensure(gTypeCodeIndex).emplace(code, name); }

void RegisterOpcode(std::uint16_t opcode, const std::string& name) { Ensure(gOpcodeIndex).emplace(opcode, name); }

bool IsNameRegistered(const std::string& name) { return FindCommandFormat(name) != nullptr; }

void TearDownNameRegistry(std::vector<std::string>& errors)
{
    if (!gRegistry) {
        return;
    }
    // Lookups during the teardown must not meet a format already destroyed.
    std::unique_ptr<Registry> registry = std::move(gRegistry);
    ++gGeneration;
    for (auto& entry : registry->byName) {
        try {
            delete entry.second;
        } catch (const std::exception& error) {
            errors.emplace_back(error.what());
        } catch (...) {
            errors.emplace_back(kUnknownException);
        }
        entry.second = nullptr;
    }
}

void TearDownTypeCodeIndex() { gTypeCodeIndex.reset(); }
void TearDownOpcodeIndex() { gOpcodeIndex.reset(); }

} // namespace TarnLinkPrivate
