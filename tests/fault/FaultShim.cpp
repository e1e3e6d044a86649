// Preloaded into vorsa-cli (LD_PRELOAD), fails the Nth call of one system
// call, once or for good, so that a test can watch the program meet every
// failure it can meet. Set through the environment:
//   VORSA_FAULT_CALL       open, close, read, pread, write, splice, fstat,
//                          fcntl, flock, ftruncate, pipe2 or stat
//   VORSA_FAULT_AT         N, counted from 1 over that call alone
//   VORSA_FAULT_KIND       eio, enospc, eintr: fail with that errno;
//                          short: move half the bytes; eof: move none
//   VORSA_FAULT_LASTING    1: the Nth call and every later one fail
//   VORSA_FAULT_NO_SPLICE  1: splice fails with EINVAL, as on a file system
//                          that has no splice, so copies go through memory
//   VORSA_FAULT_REPORT     a file that gets, at exit, "calls NAME COUNT" for
//                          each call, "hit PATH" for each failure made (the
//                          file it concerned), "open PATH" for each
//                          descriptor above 2 still open
// A failed close still closes, as Linux does. Only the program's own calls
// are counted: the C library's internal ones do not pass through here.
#include <array>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

enum Call {
    kOpen,
    kClose,
    kRead,
    kPread,
    kWrite,
    kSplice,
    kFstat,
    kFcntl,
    kFlock,
    kFtruncate,
    kPipe2,
    kStat,
    kCallCount
};

constexpr std::array<const char *, kCallCount> kCallNames = {"open",  "close",     "read",  "pread",
                                                             "write", "splice",    "fstat", "fcntl",
                                                             "flock", "ftruncate", "pipe2", "stat"};

enum class Kind { kNone, kErrno, kShort, kEof };

struct Plan {
    bool armed = false;
    int call = -1;
    long at = 0;
    Kind kind = Kind::kNone;
    int err = 0;
    bool lasting = false;
    bool noSplice = false;
    const char *report = nullptr;
};

Plan plan;
std::array<long, kCallCount> counts{};
constexpr int kMaxHits = 32;
std::array<std::array<char, 512>, kMaxHits> hits{};
int hitCount = 0;

template <typename Function> Function Real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

void PathOfDescriptor(int fd, char *path, std::size_t size)
{
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, path, size - 1);
    path[length > 0 ? length : 0] = '\0';
}

void RecordHit(const char *path)
{
    if (hitCount < kMaxHits)
        std::snprintf(hits[static_cast<std::size_t>(hitCount++)].data(), 512, "%s", path);
}

void RecordHit(int fd)
{
    char path[512];
    PathOfDescriptor(fd, path, sizeof path);
    RecordHit(path);
}

// Counts the call; true when this one is to fail.
bool Strikes(Call call)
{
    if (!plan.armed)
        return false;
    const long n = ++counts[call];
    return call == plan.call && (n == plan.at || (plan.lasting && n > plan.at));
}

// The errno kinds fail the call outright.
template <typename Result> Result Fail()
{
    errno = plan.err;
    return static_cast<Result>(-1);
}

// Bytes a transfer is allowed to move, or -1 when it is to fail with errno;
// `strikes` is false for a call that is left alone.
template <typename Record> long long Allowed(bool strikes, std::size_t count, Record record)
{
    if (!strikes)
        return static_cast<long long>(count);
    switch (plan.kind) {
    case Kind::kShort:
        if (count < 2)
            return static_cast<long long>(count); // nothing shorter to give
        record();
        return static_cast<long long>(count / 2);
    case Kind::kEof:
        record();
        return 0;
    default:
        record();
        return -1;
    }
}

__attribute__((constructor)) void Arm()
{
    const char *call = std::getenv("VORSA_FAULT_CALL");
    const char *at = std::getenv("VORSA_FAULT_AT");
    const char *kind = std::getenv("VORSA_FAULT_KIND");
    plan.report = std::getenv("VORSA_FAULT_REPORT");
    const char *noSplice = std::getenv("VORSA_FAULT_NO_SPLICE");
    plan.noSplice = noSplice != nullptr && std::string_view(noSplice) == "1";
    const char *lasting = std::getenv("VORSA_FAULT_LASTING");
    plan.lasting = lasting != nullptr && std::string_view(lasting) == "1";
    if (call != nullptr && at != nullptr && kind != nullptr) {
        for (int i = 0; i < kCallCount; ++i)
            if (std::string_view(call) == kCallNames[static_cast<std::size_t>(i)])
                plan.call = i;
        plan.at = std::atol(at);
        const std::string_view k(kind);
        if (k == "eio" || k == "enospc" || k == "eintr") {
            plan.kind = Kind::kErrno;
            plan.err = k == "eio" ? EIO : k == "enospc" ? ENOSPC : EINTR;
        } else if (k == "short") {
            plan.kind = Kind::kShort;
        } else if (k == "eof") {
            plan.kind = Kind::kEof;
        }
    }
    plan.armed = true;
}

__attribute__((destructor)) void Report()
{
    plan.armed = false;
    if (plan.report == nullptr)
        return;
    std::array<std::array<char, 512>, 16> open{};
    int openCount = 0;
    if (DIR *fds = opendir("/proc/self/fd")) {
        while (const dirent *entry = readdir(fds)) {
            const int fd = std::atoi(entry->d_name);
            if (fd > 2 && fd != dirfd(fds) && openCount < 16)
                PathOfDescriptor(fd, open[static_cast<std::size_t>(openCount++)].data(), 512);
        }
        closedir(fds);
    }
    std::FILE *out = std::fopen(plan.report, "w");
    if (out == nullptr)
        return;
    for (int i = 0; i < kCallCount; ++i)
        std::fprintf(out, "calls %s %ld\n", kCallNames[static_cast<std::size_t>(i)],
                     counts[static_cast<std::size_t>(i)]);
    for (int i = 0; i < hitCount; ++i)
        std::fprintf(out, "hit %s\n", hits[static_cast<std::size_t>(i)].data());
    for (int i = 0; i < openCount; ++i)
        std::fprintf(out, "open %s\n", open[static_cast<std::size_t>(i)].data());
    std::fclose(out);
}

} // namespace

extern "C" {

int open(const char *path, int flags, ...)
{
    mode_t mode = 0;
    if ((flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list arguments;
        va_start(arguments, flags);
        mode = static_cast<mode_t>(va_arg(arguments, unsigned));
        va_end(arguments);
    }
    if (Strikes(kOpen)) {
        RecordHit(path);
        return Fail<int>();
    }
    static const auto real = Real<int (*)(const char *, int, ...)>("open");
    return real(path, flags, mode);
}

int open64(const char *path, int flags, ...) __attribute__((alias("open")));

int close(int fd)
{
    const bool strikes = Strikes(kClose);
    if (strikes)
        RecordHit(fd);
    static const auto real = Real<int (*)(int)>("close");
    const int result = real(fd);
    return strikes ? Fail<int>() : result;
}

ssize_t read(int fd, void *buffer, std::size_t count)
{
    const long long allowed = Allowed(Strikes(kRead), count, [fd] { RecordHit(fd); });
    if (allowed < 0)
        return Fail<ssize_t>();
    if (allowed == 0 && count > 0)
        return 0;
    static const auto real = Real<ssize_t (*)(int, void *, std::size_t)>("read");
    return real(fd, buffer, static_cast<std::size_t>(allowed));
}

ssize_t pread(int fd, void *buffer, std::size_t count, off_t offset)
{
    const long long allowed = Allowed(Strikes(kPread), count, [fd] { RecordHit(fd); });
    if (allowed < 0)
        return Fail<ssize_t>();
    if (allowed == 0 && count > 0)
        return 0;
    static const auto real = Real<ssize_t (*)(int, void *, std::size_t, off_t)>("pread");
    return real(fd, buffer, static_cast<std::size_t>(allowed), offset);
}

ssize_t pread64(int fd, void *buffer, std::size_t count, off_t offset)
    __attribute__((alias("pread")));

ssize_t write(int fd, const void *buffer, std::size_t count)
{
    const long long allowed = Allowed(Strikes(kWrite), count, [fd] { RecordHit(fd); });
    if (allowed < 0)
        return Fail<ssize_t>();
    if (allowed == 0 && count > 0)
        return 0;
    static const auto real = Real<ssize_t (*)(int, const void *, std::size_t)>("write");
    return real(fd, buffer, static_cast<std::size_t>(allowed));
}

ssize_t splice(int in, loff_t *inOffset, int out, loff_t *outOffset, std::size_t count,
               unsigned flags)
{
    // Not counted where there is none: it is no call that could fail.
    if (plan.noSplice) {
        errno = EINVAL;
        return -1;
    }
    // The file's side: the one read at an offset is the image.
    const int file = inOffset != nullptr ? in : out;
    const long long allowed = Allowed(Strikes(kSplice), count, [file] { RecordHit(file); });
    if (allowed < 0)
        return Fail<ssize_t>();
    if (allowed == 0 && count > 0)
        return 0;
    static const auto real =
        Real<ssize_t (*)(int, loff_t *, int, loff_t *, std::size_t, unsigned)>("splice");
    return real(in, inOffset, out, outOffset, static_cast<std::size_t>(allowed), flags);
}

int fstat(int fd, struct stat *info)
{
    if (Strikes(kFstat)) {
        RecordHit(fd);
        return Fail<int>();
    }
    static const auto real = Real<int (*)(int, struct stat *)>("fstat");
    return real(fd, info);
}

int stat(const char *path, struct stat *info)
{
    if (Strikes(kStat)) {
        RecordHit(path);
        return Fail<int>();
    }
    static const auto real = Real<int (*)(const char *, struct stat *)>("stat");
    return real(path, info);
}

int fcntl(int fd, int command, ...)
{
    // Every argument the program passes fits in a machine word.
    va_list arguments;
    va_start(arguments, command);
    const unsigned long argument = va_arg(arguments, unsigned long);
    va_end(arguments);
    if (Strikes(kFcntl)) {
        RecordHit(fd);
        return Fail<int>();
    }
    static const auto real = Real<int (*)(int, int, ...)>("fcntl");
    return real(fd, command, argument);
}

int fcntl64(int fd, int command, ...) __attribute__((alias("fcntl")));

int flock(int fd, int operation)
{
    if (Strikes(kFlock)) {
        RecordHit(fd);
        return Fail<int>();
    }
    static const auto real = Real<int (*)(int, int)>("flock");
    return real(fd, operation);
}

int ftruncate(int fd, off_t length)
{
    if (Strikes(kFtruncate)) {
        RecordHit(fd);
        return Fail<int>();
    }
    static const auto real = Real<int (*)(int, off_t)>("ftruncate");
    return real(fd, length);
}

int ftruncate64(int fd, off_t length) __attribute__((alias("ftruncate")));

int pipe2(int ends[2], int flags)
{
    if (Strikes(kPipe2)) {
        RecordHit("pipe");
        return Fail<int>();
    }
    static const auto real = Real<int (*)(int *, int)>("pipe2");
    return real(ends, flags);
}

} // extern "C"
