// SPDX-FileCopyrightText: 2026 The Morvane project
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <sys/types.h>

// The system calls through which a save changes files on disk. A test puts its own in their
// place to make any of them fail as a full or failing disk, or a refused owner, would.
class SystemCalls
{
public:
    virtual ~SystemCalls() = default;

    // The calls as the system makes them.
    static SystemCalls &real();

    virtual ssize_t write(int fd, const void *data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int ftruncate(int fd, off_t size);
    virtual int fchown(int fd, uid_t owner, gid_t group);
    virtual int fchmod(int fd, mode_t mode);
    virtual int fsetxattr(int fd, const char *name, const void *value, size_t size);
    virtual int fremovexattr(int fd, const char *name);
    virtual int rename(const char *from, const char *to);
};
