// The errors the program raises, each carrying the exact text the user sees,
// and the mapping of system error codes onto the input/output error codes.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vorsa
{

class VorsaError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Input/output error of text files and of extraction writes. `code` is one
// of the codes below, or any other number.
class EInOutError : public VorsaError
{
public:
    explicit EInOutError(int code);
    int code() const { return code_; }

private:
    int code_;
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

// Maps an errno value onto the codes above. `path`, when given, tells a
// missing file (2) from a missing folder on its way (3).
int InOutCodeFromErrno(int err, std::string_view path = {});

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
