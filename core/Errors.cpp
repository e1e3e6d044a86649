#include "Errors.h"

#include <cerrno>
#include <sys/stat.h>

namespace vorsa
{

namespace
{

std::string Replace(std::string_view pattern, std::string_view value)
{
    std::string text(pattern);
    const auto at = text.find("%s");
    text.replace(at, 2, value);
    return text;
}

// True when the folder part of `path` exists, so a missing entry is the file itself.
bool FolderExists(std::string_view path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string_view::npos)
        return true; // relative name in the current folder
    const std::string folder(path.substr(0, slash == 0 ? 1 : slash));
    struct stat info {
    };
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

EInOutError::EInOutError(int code) : VorsaError(InOutErrorMessage(code)), code_(code) {}

std::string InOutErrorMessage(int code)
{
    switch (code) {
    case kIoFileNotFound:
        return "ファイルが見つかりません";
    case kIoPathNotFound:
        return "不正なファイル名です";
    case kIoTooManyOpenFiles:
        return "オープンしたファイルが多すぎます";
    case kIoAccessDenied:
        return "ファイルへのアクセスが拒否されました";
    case kIoReadPastEnd:
        return "ファイルの末尾以降を読み込みました";
    case kIoDiskFull:
        return "ディスクがいっぱいです";
    case kIoInvalidNumericInput:
        return "入力値が数値ではありません";
    default:
        return "I/O エラー (" + std::to_string(code) + ")";
    }
}

int InOutCodeFromErrno(int err, std::string_view path)
{
    switch (err) {
    case ENOENT:
        return path.empty() || FolderExists(path) ? kIoFileNotFound : kIoPathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return kIoPathNotFound;
    case EMFILE:
    case ENFILE:
        return kIoTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case EWOULDBLOCK: // a lock held by another program: a sharing violation
        return kIoAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kIoDiskFull;
    case EIO:
        return 31; // the device failed, as a general failure
    default:
        // Keep other system codes visible, but never let one pass for a
        // table code it merely shares a number with.
        switch (err) {
        case kIoFileNotFound:
        case kIoPathNotFound:
        case kIoTooManyOpenFiles:
        case kIoAccessDenied:
        case kIoReadPastEnd:
        case kIoDiskFull:
        case kIoInvalidNumericInput:
            return 1000 + err;
        default:
            return err;
        }
    }
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
