#ifndef TARNLINK_DICTIONARY_EMBEDDED_TEXT_STREAM_H
#define TARNLINK_DICTIONARY_EMBEDDED_TEXT_STREAM_H

// An input stream over the text of an embedded item: the item's bytes, read
// where the library carries them, then one added blank. Start-up reads every
// embedded file, so the text is never copied into a string first.

#include <cstddef>
#include <istream>
#include <streambuf>

namespace TarnLinkPrivate {

class EmbeddedTextBuffer : public std::streambuf {
public:
    // The bytes must outlive the buffer; they are only ever read.
    EmbeddedTextBuffer(const char* bytes, std::size_t size);

protected:
    int_type underflow() override;
    pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;

private:
    // Position in the whole text, the added blank included.
    std::size_t Position() const;

    char* bytes_;
    std::size_t size_;
    char addedBlank_[1] = {' '};
};

class EmbeddedTextStream : public std::istream {
public:
    EmbeddedTextStream(const char* bytes, std::size_t size);

private:
    EmbeddedTextBuffer buffer_;
};

} // namespace TarnLinkPrivate

#endif
