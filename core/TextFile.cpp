#include "TextFile.h"

#include "Errors.h"

#include <algorithm>
#include <iterator>

namespace vorsa
{

namespace
{

// Description files are small; one read of this size takes most of them whole.
constexpr std::size_t kBlockBytes = 64 * 1024;

constexpr char kLineFeed = 10;
constexpr char kCarriageReturn = 13;
constexpr char kEndOfText = 26; // Ctrl-Z: nothing after it belongs to the text

} // namespace

TextFile::TextFile(const std::string &path) : path_(path)
{
    // A name cut at a NUL byte would open another file than the one named:
    // no file has such a name.
    if (path.find('\0') != std::string::npos)
        throw EInOutError(kIoPathNotFound);
    if (const int failure = file_.Open(path, platform::OpenMode::ReadShared); failure != 0)
        throw EInOutError(InOutCode(failure, path));
}

bool TextFile::Fill()
{
    if (endOfData_)
        return false;
    buffer_.resize(kBlockBytes);
    pos_ = 0;
    const platform::Transfer got = file_.Read(buffer_.data(), buffer_.size());
    if (got.bytes > 0) {
        buffer_.resize(got.bytes);
        return true;
    }
    buffer_.clear();
    if (got.error != 0)
        throw EInOutError(InOutCode(got.error, path_));
    endOfData_ = true;
    return false;
}

bool TextFile::Eof()
{
    if (pos_ >= buffer_.size() && !Fill())
        return true;
    if (buffer_[pos_] == kEndOfText) {
        // Stay at the end for good: later calls must not read past the mark.
        endOfData_ = true;
        buffer_.clear();
        pos_ = 0;
        return true;
    }
    return false;
}

std::string TextFile::ReadLine()
{
    std::string line;
    std::size_t taken = 0; // bytes of the file this line has used up
    // At the end of the text a read gives an empty line, as it always has.
    while (!Eof()) {
        const char *begin = buffer_.data() + pos_;
        const char *end = buffer_.data() + buffer_.size();
        const char *stop = std::find_if(
            begin, end, [](char byte) { return byte == kLineFeed || byte == kEndOfText; });
        taken += static_cast<std::size_t>(stop - begin);
        if (taken > kMaxLineBytes)
            throw ELineTooLongError(path_);
        // A CR before LF is part of the line end, a lone CR is dropped:
        // either way no CR reaches the line.
        std::remove_copy(begin, stop, std::back_inserter(line), kCarriageReturn);
        pos_ = static_cast<std::size_t>(stop - buffer_.data());
        if (stop != end && *stop == kLineFeed) {
            ++pos_;
            break;
        }
        // Otherwise the block ran out (Eof refills it) or byte 26 was met.
    }
    return line;
}

} // namespace vorsa
