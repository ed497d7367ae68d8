/* Modem lines for pseudo-terminals, for the end-to-end test (LD_PRELOAD).
 *
 * A Linux pseudo-terminal refuses the modem-control ioctls, so a program keying a
 * transmitter through DTR and RTS cannot be watched on one. Preloaded into that
 * program, this library answers TIOCMGET, TIOCMSET, TIOCMBIS and TIOCMBIC on
 * pseudo-terminal slaves itself: it keeps the bits per file descriptor (raised at
 * first use, as Linux raises them on open) and appends every change request to the
 * file named by TALMO_MODEMLINES_LOG as
 *     <CLOCK_MONOTONIC seconds>.<milliseconds> DTR=<0|1> RTS=<0|1>
 * Every other ioctl, and every other device, goes to the C library unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <time.h>
#include <unistd.h>

enum { kMaxFds = 4096 };

struct line_state {
  int known;
  dev_t device;
  int bits;
};

static struct line_state states[kMaxFds];
static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;

typedef int (*ioctl_fn)(int, unsigned long, ...);
typedef int (*close_fn)(int);

static ioctl_fn real_ioctl(void) {
  static ioctl_fn fn;
  if (!fn) fn = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
  return fn;
}

static close_fn real_close(void) {
  static close_fn fn;
  if (!fn) fn = (close_fn)dlsym(RTLD_NEXT, "close");
  return fn;
}

/* UNIX98 pseudo-terminal slaves have majors 136 to 143. */
static int pty_slave(int fd, dev_t* device) {
  struct stat st;
  if (fd < 0 || fd >= kMaxFds || fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return 0;
  *device = st.st_rdev;
  return major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
}

static void log_change(int bits) {
  const char* path = getenv("TALMO_MODEMLINES_LOG");
  if (!path || !*path) return;
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  char line[96];
  const int length = snprintf(line, sizeof line, "%lld.%03ld DTR=%d RTS=%d\n", (long long)now.tv_sec,
                              now.tv_nsec / 1000000, (bits & TIOCM_DTR) ? 1 : 0, (bits & TIOCM_RTS) ? 1 : 0);
  const int out = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (out < 0) return;
  if (write(out, line, (size_t)length) != length) { /* a test log: nothing more to do */ }
  real_close()(out);
}

static int modem_request(unsigned long request) {
  return request == TIOCMGET || request == TIOCMSET || request == TIOCMBIS || request == TIOCMBIC;
}

int ioctl(int fd, unsigned long request, ...) {
  va_list args;
  va_start(args, request);
  void* argument = va_arg(args, void*);
  va_end(args);

  dev_t device;
  if (!modem_request(request) || !pty_slave(fd, &device)) return real_ioctl()(fd, request, argument);
  if (!argument) {
    errno = EFAULT;
    return -1;
  }
  int* value = (int*)argument;
  pthread_mutex_lock(&lock);
  struct line_state* state = &states[fd];
  if (!state->known || state->device != device) {
    state->known = 1;
    state->device = device;
    state->bits = TIOCM_DTR | TIOCM_RTS;
  }
  switch (request) {
    case TIOCMGET: *value = state->bits; break;
    case TIOCMSET: state->bits = *value & (TIOCM_DTR | TIOCM_RTS); break;
    case TIOCMBIS: state->bits |= *value & (TIOCM_DTR | TIOCM_RTS); break;
    case TIOCMBIC: state->bits &= ~(*value & (TIOCM_DTR | TIOCM_RTS)); break;
  }
  if (request != TIOCMGET) log_change(state->bits);
  pthread_mutex_unlock(&lock);
  return 0;
}

/* A closed descriptor forgets its lines: the next device opened on it starts afresh. */
int close(int fd) {
  if (fd >= 0 && fd < kMaxFds) {
    pthread_mutex_lock(&lock);
    states[fd].known = 0;
    pthread_mutex_unlock(&lock);
  }
  return real_close()(fd);
}
