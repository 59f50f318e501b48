#include "device_memory.h"

#include <algorithm>

namespace TarnLinkVirtual {
namespace {

std::string ValueKey(const std::string& command, const unsigned char* key, std::size_t keyLength)
{
    std::string valueKey;
    valueKey.reserve(command.size() + 1 + keyLength);
    valueKey.append(command);
    valueKey.push_back('\0');
    if (keyLength > 0) {
        valueKey.append(reinterpret_cast<const char*>(key), keyLength);
    }
    return valueKey;
}

} // namespace

void DeviceMemory::Store(const std::string& command, const unsigned char* key, std::size_t keyLength, Bytes data)
{
    values_[ValueKey(command, key, keyLength)] = std::move(data);
}

const Bytes* DeviceMemory::Recall(const std::string& command, const unsigned char* key, std::size_t keyLength) const
{
    auto found = values_.find(ValueKey(command, key, keyLength));
    return found == values_.end() ? nullptr : &found->second;
}

void DeviceMemory::BeginUpload(const std::string& meta, std::uint32_t totalSize)
{
    Upload& upload = uploads_[meta];
    upload.announcedSize = totalSize;
    upload.data.clear();
}

bool DeviceMemory::AppendUpload(const std::string& meta, const unsigned char* data, std::size_t length)
{
    auto found = uploads_.find(meta);
    if (found == uploads_.end()) {
        return false;
    }
    found->second.data.insert(found->second.data.end(), data, data + length);
    return true;
}

bool DeviceMemory::FinishUpload(const std::string& meta)
{
    auto found = uploads_.find(meta);
    if (found == uploads_.end()) {
        return false;
    }
    Upload upload = std::move(found->second);
    uploads_.erase(found);
    if (upload.data.size() != upload.announcedSize) {
        return false;
    }
    Store(meta, nullptr, 0, std::move(upload.data));
    return true;
}

void DeviceMemory::BeginDownload(const std::string& meta) { downloadPositions_[meta] = 0; }

Bytes DeviceMemory::NextDownloadChunk(const std::string& meta, const Bytes& data, std::size_t maxLength)
{
    std::size_t& position = downloadPositions_[meta];
    const std::size_t start = std::min(position, data.size());
    const std::size_t length = std::min(maxLength, data.size() - start);
    position = start + length;
    const auto first = data.begin() + static_cast<std::ptrdiff_t>(start);
    return Bytes(first, first + static_cast<std::ptrdiff_t>(length));
}

void DeviceMemory::FinishDownload(const std::string& meta) { downloadPositions_.erase(meta); }

void DeviceMemory::Clear()
{
    values_.clear();
    uploads_.clear();
    downloadPositions_.clear();
}

} // namespace TarnLinkVirtual
