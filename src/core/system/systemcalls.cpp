// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemcalls.h"

#include <cstdio>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

SystemCalls &SystemCalls::real()
{
    static SystemCalls calls;
    return calls;
}

ssize_t SystemCalls::write(int fd, const void *data, size_t size)
{
    return ::write(fd, data, size);
}

int SystemCalls::fsync(int fd)
{
    return ::fsync(fd);
}

int SystemCalls::close(int fd)
{
    return ::close(fd);
}

int SystemCalls::ftruncate(int fd, off_t size)
{
    return ::ftruncate(fd, size);
}

int SystemCalls::fchown(int fd, uid_t owner, gid_t group)
{
    return ::fchown(fd, owner, group);
}

int SystemCalls::fchmod(int fd, mode_t mode)
{
    return ::fchmod(fd, mode);
}

int SystemCalls::fsetxattr(int fd, const char *name, const void *value, size_t size)
{
    return ::fsetxattr(fd, name, value, size, 0);
}

int SystemCalls::fremovexattr(int fd, const char *name)
{
    return ::fremovexattr(fd, name);
}

int SystemCalls::rename(const char *from, const char *to)
{
    return std::rename(from, to);
}
