/* A preloaded library that makes the disk fail on request, for the fault tests of the program's
 * files. Only writes to regular files count; the terminal and pipes are left alone.
 *   SHIM_WRITE_LIMIT=N   the first N bytes written to regular files go through; a write that
 *                        crosses the limit writes what still fits, every later one fails with
 *                        ENOSPC (N = 0: every write fails)
 *   SHIM_READ_LIMIT=N    the first N bytes read from regular files come through; a read that
 *                        crosses the limit returns what still fits, every later one fails with
 *                        EIO (even one that would have met the end of the file)
 *   SHIM_FAIL_RENAME=1   rename, renameat and renameat2 fail with EIO
 *   SHIM_FAIL_LINK=1     linkat and link fail with EIO (a temporary file cannot be put in place)
 *   SHIM_FAIL_SYNC=1     fsync and fdatasync fail with EIO
 *   SHIM_LOG=1           reports every refused call on stderr
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

static long long limit = -1; /* -1: no limit */
static long long written = 0;
static long long readLimit = -1; /* -1: no limit */
static long long readCount = 0;
static int failRename = 0;
static int failLink = 0;
static int failSync = 0;
static int logRefusals = 0;
static int configured = 0;

static void configure(void) {
    if (configured)
        return;
    configured = 1;
    const char* v = getenv("SHIM_WRITE_LIMIT");
    if (v && *v)
        limit = atoll(v);
    v = getenv("SHIM_READ_LIMIT");
    if (v && *v)
        readLimit = atoll(v);
    v = getenv("SHIM_FAIL_RENAME");
    failRename = v && strcmp(v, "1") == 0;
    v = getenv("SHIM_FAIL_LINK");
    failLink = v && strcmp(v, "1") == 0;
    v = getenv("SHIM_FAIL_SYNC");
    failSync = v && strcmp(v, "1") == 0;
    v = getenv("SHIM_LOG");
    logRefusals = v && strcmp(v, "1") == 0;
}

/* The next definition of a symbol, normally the C library's; copied through memcpy because ISO C
 * has no conversion from an object pointer to a function pointer. */
#define NEXT(var, name)                                                                            \
    do {                                                                                           \
        void* found_ = dlsym(RTLD_NEXT, name);                                                     \
        memcpy(&(var), &found_, sizeof found_);                                                    \
    } while (0)

static void refused(const char* call) {
    if (logRefusals) {
        char line[96];
        const int n = snprintf(line, sizeof line, "write_shim: %s refused\n", call);
        ssize_t (*realWrite)(int, const void*, size_t) = NULL;
        NEXT(realWrite, "write");
        if (n > 0 && realWrite)
            (void)realWrite(2, line, (size_t)n);
    }
}

static int isRegular(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

/* How many of the count bytes may be written to fd now; -1 with errno set when none. */
static ssize_t allowance(int fd, size_t count, const char* call) {
    configure();
    if (limit < 0 || count == 0 || !isRegular(fd))
        return (ssize_t)count;
    const long long left = limit - written;
    if (left <= 0) {
        refused(call);
        errno = ENOSPC;
        return -1;
    }
    return (ssize_t)((long long)count < left ? (long long)count : left);
}

static void account(ssize_t n) {
    if (n > 0 && limit >= 0)
        written += n;
}

ssize_t write(int fd, const void* buf, size_t count) {
    static ssize_t (*real)(int, const void*, size_t);
    if (!real)
        NEXT(real, "write");
    const ssize_t allowed = allowance(fd, count, "write");
    if (allowed < 0)
        return -1;
    const ssize_t n = real(fd, buf, (size_t)allowed);
    if (isRegular(fd))
        account(n);
    return n;
}

ssize_t read(int fd, void* buf, size_t count) {
    static ssize_t (*real)(int, void*, size_t);
    if (!real)
        NEXT(real, "read");
    configure();
    if (readLimit < 0 || count == 0 || !isRegular(fd))
        return real(fd, buf, count);
    const long long left = readLimit - readCount;
    if (left <= 0) {
        refused("read");
        errno = EIO;
        return -1;
    }
    const ssize_t n = real(fd, buf, (long long)count < left ? count : (size_t)left);
    if (n > 0)
        readCount += n;
    return n;
}

static ssize_t positioned(int fd, const void* buf, size_t count, off_t offset, const char* call,
                          const char* symbol) {
    ssize_t (*real)(int, const void*, size_t, off_t) = NULL;
    NEXT(real, symbol);
    const ssize_t allowed = allowance(fd, count, call);
    if (allowed < 0)
        return -1;
    const ssize_t n = real(fd, buf, (size_t)allowed, offset);
    if (isRegular(fd))
        account(n);
    return n;
}

ssize_t pwrite(int fd, const void* buf, size_t count, off_t offset) {
    return positioned(fd, buf, count, offset, "pwrite", "pwrite");
}

ssize_t pwrite64(int fd, const void* buf, size_t count, off_t offset) {
    return positioned(fd, buf, count, offset, "pwrite64", "pwrite64");
}

/* A vector write is cut to the allowance by writing the buffers one after another. */
ssize_t writev(int fd, const struct iovec* iov, int iovcnt) {
    configure();
    if (limit < 0 || !isRegular(fd)) {
        ssize_t (*real)(int, const struct iovec*, int) = NULL;
        NEXT(real, "writev");
        return real(fd, iov, iovcnt);
    }
    ssize_t total = 0;
    for (int i = 0; i < iovcnt; ++i) {
        if (iov[i].iov_len == 0)
            continue;
        const ssize_t n = write(fd, iov[i].iov_base, iov[i].iov_len);
        if (n < 0)
            return total > 0 ? total : -1;
        total += n;
        if ((size_t)n < iov[i].iov_len)
            break;
    }
    return total;
}

int rename(const char* from, const char* to) {
    configure();
    if (failRename) {
        refused("rename");
        errno = EIO;
        return -1;
    }
    int (*real)(const char*, const char*) = NULL;
    NEXT(real, "rename");
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    configure();
    if (failRename) {
        refused("renameat");
        errno = EIO;
        return -1;
    }
    int (*real)(int, const char*, int, const char*) = NULL;
    NEXT(real, "renameat");
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned int flags) {
    configure();
    if (failRename) {
        refused("renameat2");
        errno = EIO;
        return -1;
    }
    int (*real)(int, const char*, int, const char*, unsigned int) = NULL;
    NEXT(real, "renameat2");
    return real(fromDir, from, toDir, to, flags);
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    configure();
    if (failLink) {
        refused("linkat");
        errno = EIO;
        return -1;
    }
    int (*real)(int, const char*, int, const char*, int) = NULL;
    NEXT(real, "linkat");
    return real(fromDir, from, toDir, to, flags);
}

int link(const char* from, const char* to) {
    configure();
    if (failLink) {
        refused("link");
        errno = EIO;
        return -1;
    }
    int (*real)(const char*, const char*) = NULL;
    NEXT(real, "link");
    return real(from, to);
}

int fsync(int fd) {
    configure();
    if (failSync) {
        refused("fsync");
        errno = EIO;
        return -1;
    }
    int (*real)(int) = NULL;
    NEXT(real, "fsync");
    return real(fd);
}

int fdatasync(int fd) {
    configure();
    if (failSync) {
        refused("fdatasync");
        errno = EIO;
        return -1;
    }
    int (*real)(int) = NULL;
    NEXT(real, "fdatasync");
    return real(fd);
}
