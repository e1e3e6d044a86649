// An advisory lock held on a file through a descriptor of the test's own,
// as another program reading or writing the file would hold it.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace vorsa::testing
{

class HeldLock
{
public:
    // `operation` is LOCK_SH or LOCK_EX.
    HeldLock(const std::string &path, int operation) : fd_(::open(path.c_str(), O_RDONLY))
    {
        EXPECT_GE(fd_, 0) << path;
        EXPECT_EQ(::flock(fd_, operation | LOCK_NB), 0) << path;
    }
    ~HeldLock()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    HeldLock(const HeldLock &) = delete;
    HeldLock &operator=(const HeldLock &) = delete;

private:
    int fd_;
};

} // namespace vorsa::testing
