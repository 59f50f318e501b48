#ifndef TARNLINK_VIRTUAL_DEVICE_MEMORY_H
#define TARNLINK_VIRTUAL_DEVICE_MEMORY_H

#include <cstdint>
#include <string>
#include <unordered_map>

#include "packet_format.h"

namespace TarnLinkVirtual {

// What the box remembers: the data last sent per command and request-data
// values, and the state of the meta sequences in progress.
class DeviceMemory {
public:
    void Store(const std::string& command, const unsigned char* key, std::size_t keyLength, Bytes data);
    // Null when nothing was sent under this key.
    const Bytes* Recall(const std::string& command, const unsigned char* key, std::size_t keyLength) const;

    void BeginUpload(const std::string& meta, std::uint32_t totalSize);
    // False when no upload of the meta definition is in progress.
    bool AppendUpload(const std::string& meta, const unsigned char* data, std::size_t length);
    // Stores the collected data when it has the announced size; false otherwise.
    // The upload ends either way.
    bool FinishUpload(const std::string& meta);

    void BeginDownload(const std::string& meta);
    // The next bytes of data from where the download stands, at most maxLength.
    Bytes NextDownloadChunk(const std::string& meta, const Bytes& data, std::size_t maxLength);
    void FinishDownload(const std::string& meta);

    void Clear();

private:
    struct Upload {
        std::uint32_t announcedSize = 0;
        Bytes data;
    };

    std::unordered_map<std::string, Bytes> values_;
    std::unordered_map<std::string, Upload> uploads_;
    std::unordered_map<std::string, std::size_t> downloadPositions_;
};

} // namespace TarnLinkVirtual

#endif
