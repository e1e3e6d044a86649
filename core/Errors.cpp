#include "Errors.h"

#include "Messages.h"
#include "platform/SystemError.h"

namespace vorsa
{

namespace
{

// The pattern is converted into the code page first; the value (a path, a
// number's text) is in it already.
std::string Replace(std::string_view pattern, std::string_view value)
{
    std::string text(messages::Narrow(pattern));
    const auto at = text.find("%s");
    text.replace(at, 2, value);
    return text;
}

} // namespace

EInOutError::EInOutError(int code) : VorsaError(InOutErrorMessage(code)) {}

std::string InOutErrorMessage(int code)
{
    switch (code) {
    case kIoFileNotFound:
        return messages::Narrow("ファイルが見つかりません");
    case kIoPathNotFound:
        return messages::Narrow("不正なファイル名です");
    case kIoTooManyOpenFiles:
        return messages::Narrow("オープンしたファイルが多すぎます");
    case kIoAccessDenied:
        return messages::Narrow("ファイルへのアクセスが拒否されました");
    case kIoReadPastEnd:
        return messages::Narrow("ファイルの末尾以降を読み込みました");
    case kIoDiskFull:
        return messages::Narrow("ディスクがいっぱいです");
    case kIoInvalidNumericInput:
        return messages::Narrow("入力値が数値ではありません");
    default:
        return messages::Narrow("I/O エラー (") + std::to_string(code) + ")";
    }
}

namespace
{

int OtherSystemCode(int systemCode)
{
    switch (systemCode) {
    case kIoFileNotFound:
    case kIoPathNotFound:
    case kIoTooManyOpenFiles:
    case kIoAccessDenied:
    case kIoReadPastEnd:
    case kIoDiskFull:
    case kIoInvalidNumericInput:
        return 1000 + systemCode;
    default:
        return systemCode;
    }
}

} // namespace

int InOutCode(int systemError, std::string_view path)
{
    const platform::SystemError error = platform::Describe(systemError, path);
    switch (error.cause) {
    case platform::Cause::FileNotFound:
        return kIoFileNotFound;
    case platform::Cause::PathNotFound:
        return kIoPathNotFound;
    case platform::Cause::TooManyOpenFiles:
        return kIoTooManyOpenFiles;
    case platform::Cause::AccessDenied:
        return kIoAccessDenied;
    case platform::Cause::ReadPastEnd:
        return kIoReadPastEnd;
    case platform::Cause::DiskFull:
        return kIoDiskFull;
    case platform::Cause::Other:
        break;
    }
    return OtherSystemCode(error.number);
}

EFOpenError::EFOpenError(std::string_view path)
    : VorsaError(Replace("ファイル %s は開けません", path))
{
}

EFCreateError::EFCreateError(std::string_view path)
    : VorsaError(Replace("ファイル %s を作成できません", path))
{
}

ELineTooLongError::ELineTooLongError(std::string_view path)
    : VorsaError(Replace("ファイル %s の行が長すぎます", path))
{
}

EConvertError::EConvertError(std::string_view text)
    : VorsaError(Replace("'%s' は整数ではありません", text))
{
}

} // namespace vorsa
