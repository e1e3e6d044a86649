// The errors the program raises, each carrying the exact text the user sees,
// and the mapping of system error codes onto the input/output error codes.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vorsa
{

// Its message may hold any byte, a NUL included: message() gives it whole,
// what() only up to its first NUL.
class VorsaError : public std::runtime_error
{
public:
    explicit VorsaError(const std::string &message)
        : std::runtime_error(message), message_(std::make_shared<const std::string>(message))
    {
    }
    const std::string &message() const { return *message_; }

private:
    // Shared, so that copying the error cannot throw.
    std::shared_ptr<const std::string> message_;
};

// Input/output error of text files and of extraction writes. `code` is one
// of the codes below, or any other number.
class EInOutError : public VorsaError
{
public:
    explicit EInOutError(int code);
};

// Codes of the input/output error.
inline constexpr int kIoFileNotFound = 2;
inline constexpr int kIoPathNotFound = 3;
inline constexpr int kIoTooManyOpenFiles = 4;
inline constexpr int kIoAccessDenied = 5;
inline constexpr int kIoReadPastEnd = 100;
inline constexpr int kIoDiskFull = 101;
inline constexpr int kIoInvalidNumericInput = 106;

std::string InOutErrorMessage(int code);

// The input/output error's code for a system's error code (errno on Linux,
// GetLastError() on Windows): one of the codes above for what it stands for
// (platform/SystemError.h), the system's own number otherwise, kept visible
// but never passed off as a code above that it merely shares a number with:
// those become 1000 + the number. `path`, when given, lets Linux tell a
// missing file from a missing folder on its way.
int InOutCode(int systemError, std::string_view path = {});

// "ファイル %s は開けません"
class EFOpenError : public VorsaError
{
public:
    explicit EFOpenError(std::string_view path);
};

// "ファイル %s を作成できません"
class EFCreateError : public VorsaError
{
public:
    explicit EFCreateError(std::string_view path);
};

// "ファイル %s の行が長すぎます": a line of a text file passes the bound on
// what one line may hold.
class ELineTooLongError : public VorsaError
{
public:
    explicit ELineTooLongError(std::string_view path);
};

// "'%s' は整数ではありません"
class EConvertError : public VorsaError
{
public:
    explicit EConvertError(std::string_view text);
};

} // namespace vorsa
