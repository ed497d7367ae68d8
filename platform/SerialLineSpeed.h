#pragma once
// Line rate of an open serial device, any whole number of bits per second,
// including the rates termios has no constant for (14400, 56000, 128000, 256000).

// Returns false and leaves errno set when the driver refuses.
bool SetLineSpeed(int Fd, int BitsPerSecond);
// The output rate the driver holds, or -1 with errno set.
int LineSpeed(int Fd);
