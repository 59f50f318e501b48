#include "dictionary/embedded_text_stream.h"

namespace TarnLinkPrivate {

// The get area never lets a character be written back (putting back a
// different character fails), so viewing the const bytes is safe.
EmbeddedTextBuffer::EmbeddedTextBuffer(const char* bytes, std::size_t size)
    : bytes_(const_cast<char*>(bytes)), size_(size)
{
    setg(bytes_, bytes_, bytes_ + size_);
}

std::streambuf::int_type EmbeddedTextBuffer::underflow()
{
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    if (eback() == addedBlank_) {
        return traits_type::eof();
    }
    setg(addedBlank_, addedBlank_, addedBlank_ + sizeof addedBlank_);
    return traits_type::to_int_type(*gptr());
}

std::size_t EmbeddedTextBuffer::Position() const
{
    const auto inArea = static_cast<std::size_t>(gptr() - eback());
    return eback() == addedBlank_ ? size_ + inArea : inArea;
}

std::streambuf::pos_type EmbeddedTextBuffer::seekoff(off_type offset, std::ios_base::seekdir direction,
                                                     std::ios_base::openmode which)
{
    const auto total = static_cast<off_type>(size_ + sizeof addedBlank_);
    off_type base = 0;
    if (direction == std::ios_base::cur) {
        base = static_cast<off_type>(Position());
    } else if (direction == std::ios_base::end) {
        base = total;
    }
    return seekpos(pos_type(base + offset), which);
}

std::streambuf::pos_type EmbeddedTextBuffer::seekpos(pos_type position, std::ios_base::openmode which)
{
    const auto target = static_cast<off_type>(position);
    if ((which & std::ios_base::in) == 0 || target < 0 || target > static_cast<off_type>(size_ + 1)) {
        return pos_type(off_type(-1));
    }
    const auto offset = static_cast<std::size_t>(target);
    if (offset < size_) {
        setg(bytes_, bytes_ + offset, bytes_ + size_);
    } else {
        setg(addedBlank_, addedBlank_ + (offset - size_), addedBlank_ + sizeof addedBlank_);
    }
    return position;
}

EmbeddedTextStream::EmbeddedTextStream(const char* bytes, std::size_t size)
    : std::istream(nullptr), buffer_(bytes, size)
{
    rdbuf(&buffer_);
}

} // namespace TarnLinkPrivate
