#ifndef TARNLINK_TARNHWCAPS_H
#define TARNLINK_TARNHWCAPS_H

#include <cstddef>
#include <cstdint>
#include <memory>

#include "tarnlink/TarnExport.h"

namespace TarnLinkPrivate {
struct ConditionContents;
struct CapsHandleAccess;
} // namespace TarnLinkPrivate

// The capability sets of the hardware types, their conditions, and the
// manager that detects the attached hardware. Most hosts ask the questions of
// TarnHWCapsQueries.h instead; these classes serve hosts that read a set
// property by property:
//
//     TarnLink::HWCaps::TarnHWCaps* caps = TarnLink::HWCaps::TarnHWCapsFactory::CreateHWCaps("StudioBox");
//     std::int32_t channels = 0;
//     caps->GetPropertyAsInteger("MaxAudioChannels", &channels, nullptr);
//     TarnLink::HWCaps::TarnHWCapsFactory::DestroyHWCaps(caps);
//
// Thread safety: the const members of a set or condition list may run on
// several threads at once. Detection (TarnHWCapsManager::UpdateHWCaps, which
// OverrideConduit calls), InitHardwareCapabilitiesInfo and Terminate replace
// sets and must not overlap any other use of the sets or of the manager.

namespace TarnLink {
namespace HWCaps {

// The conditions of a capability question: (command, parameter) = value.
class TARNLINK_API CmdParamConditionList {
public:
    CmdParamConditionList();
    CmdParamConditionList(const CmdParamConditionList& other);
    CmdParamConditionList& operator=(const CmdParamConditionList& other);
    ~CmdParamConditionList();

    bool AddCmdParamIntegerValue(const char* command, const char* parameter, std::int32_t value);
    bool AddCmdParamSymbolValue(const char* command, const char* parameter, const char* symbol);
    void RemoveCmdParamValue(const char* command, const char* parameter);
    bool ConditionExists(const char* command, const char* parameter) const;
    bool GetConditionValue(const char* command, const char* parameter, std::int32_t* value) const;
    std::int32_t GetNumConditions() const;
    bool GetNthConditionInfo(std::int32_t n, std::size_t commandSize, char* command, std::size_t parameterSize,
                             char* parameter, std::int32_t* value, std::size_t symbolSize, char* symbol) const;
    bool MatchRequired(const CmdParamConditionList& other) const;

private:
    friend class TarnHWCaps; // reads the conditions a question is asked with
    std::unique_ptr<TarnLinkPrivate::ConditionContents> contents_;
};

class TarnHWCapsFactory;

// A handle on the capability set registered for one hardware type when the
// handle was made. A handle kept over Terminate (or a new
// InitHardwareCapabilitiesInfo) has no set any more and answers nothing; make
// a new one.
class TARNLINK_API TarnHWCaps {
public:
    const char* GetHWGuidOrName() const;
    const char* GetHWCapsFilename() const;

    bool HasProperty(const char* name, CmdParamConditionList* cond) const;
    bool IsPropertyInteger(const char* name, CmdParamConditionList* cond) const;
    bool IsPropertyString(const char* name, CmdParamConditionList* cond) const;
    bool GetPropertyAsInteger(const char* name, std::int32_t* value, CmdParamConditionList* cond) const;
    bool GetPropertyAsString(const char* name, std::size_t size, char* buffer, CmdParamConditionList* cond) const;
    std::size_t GetNumProperties(CmdParamConditionList* cond) const;
    bool GetNthPropertyName(std::size_t n, std::size_t size, char* buffer, CmdParamConditionList* cond) const;

    bool CommandParameterHasDefinedValues(const char* command, const char* parameter,
                                          CmdParamConditionList* cond) const;
    bool CommandParameterHasRangeValues(const char* command, const char* parameter, CmdParamConditionList* cond) const;
    bool CommandParameterHasSymbolValues(const char* command, const char* parameter, CmdParamConditionList* cond) const;
    bool GetCommandParameterNumSymbolValues(const char* command, const char* parameter, std::int32_t* count,
                                            CmdParamConditionList* cond) const;
    bool GetCommandParameterNthSymbolValue(const char* command, const char* parameter, std::int32_t n, std::size_t size,
                                           char* buffer, CmdParamConditionList* cond) const;
    bool GetCommandParameterRanges(const char* command, const char* parameter, std::int32_t* low, std::int32_t* high,
                                   CmdParamConditionList* cond) const;

    bool HasCommandOverrideTimeoutValue(const char* command) const;
    bool GetCommandOverrideTimeoutValue(const char* command, std::uint32_t& millisec) const;
    bool ConfigureOverrideTimeoutsFromHWCaps() const;

    std::int32_t GetNumCmdParamConditionLists() const;
    bool GetNthCmdParamConditionListKeyname(std::int32_t n, char* buffer, std::size_t size) const;
    bool HasCmdParamConditionListKeyname(const char* keyname) const;
    CmdParamConditionList* CreateCmdParamConditionListByKeyname(const char* keyname) const;

    bool MergeHWCaps(TarnHWCaps* other);

private:
    friend class TarnHWCapsFactory;
    friend struct TarnLinkPrivate::CapsHandleAccess; // the library's own questions read a value in place
    explicit TarnHWCaps(const char* hardwareType);
    ~TarnHWCaps();
    TarnHWCaps(const TarnHWCaps&) = delete;
    TarnHWCaps& operator=(const TarnHWCaps&) = delete;

    // The conditions of the host's list; null (the unconditional values) for none.
    static const TarnLinkPrivate::ConditionContents* ConditionsOf(const CmdParamConditionList* cond);

    struct Record;
    std::unique_ptr<Record> record_;
};

class TARNLINK_API TarnHWCapsFactory {
public:
    TarnHWCapsFactory() = delete;
    static bool InitHardwareCapabilitiesInfo(const char* path);
    static TarnHWCaps* CreateHWCaps(const char* hardwareType);
    static void DestroyHWCaps(TarnHWCaps*& caps);
    static void ClearOverrideTimeouts();
    static bool Terminate();
};

// Holds the capability set of the attached hardware; never owns it.
class TARNLINK_API TarnHWCapsPtr {
public:
    TarnHWCapsPtr();
    TarnHWCapsPtr(const TarnHWCapsPtr&) = delete;
    TarnHWCapsPtr& operator=(const TarnHWCapsPtr&) = delete;
    void SetPtr(TarnHWCaps* caps);
    const TarnHWCaps* operator->() const;
    const TarnHWCaps* Get() const;

private:
    TarnHWCaps* caps_;
};

// The host's own answers to capability questions, asked before the sets.
class TARNLINK_API TarnHWCapsInterceptor {
public:
    TarnHWCapsInterceptor() = default;
    TarnHWCapsInterceptor(const TarnHWCapsInterceptor&) = default;
    TarnHWCapsInterceptor& operator=(const TarnHWCapsInterceptor&) = default;
    virtual ~TarnHWCapsInterceptor();
    virtual bool GetBoolPropValue(const char* name, bool* value, CmdParamConditionList* cond,
                                  std::int32_t conduitId) = 0;
    virtual bool GetIntegerPropertyValue(const char* name, std::int32_t* value, CmdParamConditionList* cond,
                                         std::int32_t conduitId) = 0;
    virtual bool GetStringPropertyValue(const char* name, char* buffer, std::size_t size, CmdParamConditionList* cond,
                                        std::int32_t conduitId) = 0;
};

// Detects the attached hardware and keeps one capability set per conduit base id.
class TARNLINK_API TarnHWCapsManager {
public:
    static TarnHWCapsManager* Instance();
    static void Destroy();
    void UpdateHWCaps();
    const TarnHWCapsPtr& GetHWCapsPtr() const;
    const TarnHWCaps* GetHWCapsPtr(std::int32_t conduitId) const;
    void SetInterceptor(TarnHWCapsInterceptor* interceptor, std::int32_t conduitId);
    TarnHWCapsInterceptor* GetInterceptor() const;
    std::int32_t GetInterceptorConduitID() const;

private:
    TarnHWCapsManager();
    ~TarnHWCapsManager();
    TarnHWCapsManager(const TarnHWCapsManager&) = delete;
    TarnHWCapsManager& operator=(const TarnHWCapsManager&) = delete;

    TarnHWCapsInterceptor* interceptor_ = nullptr;
    std::int32_t interceptorConduitId_ = 0;
    TarnHWCapsPtr currentCaps_; // owned by the library's store of detected sets
};

} // namespace HWCaps
} // namespace TarnLink

#endif
