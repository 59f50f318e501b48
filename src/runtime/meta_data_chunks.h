#ifndef TARNLINK_RUNTIME_META_DATA_CHUNKS_H
#define TARNLINK_RUNTIME_META_DATA_CHUNKS_H

// The data a meta command sends: the bytes of its data parameters one after
// the other, handed out a chunk at a time. Byte streams are read where the
// command holds them, so that each byte is copied once, into its packet.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// The compile trace's note of a repeat packet that could not be made.
inline constexpr char kRepeatCompileFailed[] = "\nMetaCommand ERROR - RepeatCommand packet compilation failed";

class MetaDataChunks {
public:
    // The command must outlive the chunks and stay unchanged meanwhile.
    MetaDataChunks(const MetaCommandFormat& definition, const TarnLink::TarnCommand& command);

    // Checks that every data parameter has a value that encodes, without
    // reading streams; false (with the compile trace's note) otherwise. Once
    // it passed, Next cannot fail.
    bool CheckAll();

    // Writes the next up to capacity bytes to out; the number written, 0 at
    // the end. A parameter is taken up as soon as the one before it is used
    // up. On a parameter that fails, Failed() turns true.
    std::size_t Next(unsigned char* out, std::size_t capacity);
    bool Failed() const { return failed_; }
    // Bytes not yet handed out; known once CheckAll passed.
    std::uint64_t Remaining() const { return remaining_; }

private:
    bool Start(std::size_t index);
    bool Take(const ParameterDefinition& parameter);

    const MetaCommandFormat& definition_;
    const TarnLink::TarnCommand& command_;
    std::size_t index_ = 0;                // the parameter being read
    const unsigned char* bytes_ = nullptr; // its bytes; null past the last
    std::size_t length_ = 0;
    std::size_t used_ = 0;
    std::uint64_t remaining_ = 0;        // bytes not yet handed out
    std::vector<unsigned char> encoded_; // a parameter that is not read in place
    bool started_ = false;
    bool failed_ = false;
};

} // namespace TarnLinkPrivate

#endif
