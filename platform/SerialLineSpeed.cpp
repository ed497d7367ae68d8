// Kept apart from the termios code: <asm/termbits.h> (termios2, BOTHER) clashes
// with the C library's <termios.h>.
#include "platform/SerialLineSpeed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

bool SetLineSpeed(int Fd, int BitsPerSecond) {
  struct termios2 tio {};
  if (ioctl(Fd, TCGETS2, &tio) != 0) return false;
  tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  tio.c_ispeed = static_cast<speed_t>(BitsPerSecond);
  tio.c_ospeed = static_cast<speed_t>(BitsPerSecond);
  return ioctl(Fd, TCSETS2, &tio) == 0;
}

int LineSpeed(int Fd) {
  struct termios2 tio {};
  if (ioctl(Fd, TCGETS2, &tio) != 0) return -1;
  return static_cast<int>(tio.c_ospeed);
}
