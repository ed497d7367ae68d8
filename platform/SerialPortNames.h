#pragma once
// Finding serial ports by name without opening any of them.

#include <string>
#include <vector>

// The device path a configured port name stands for, or "" when there is none.
// Letter case is ignored, since the configuration upper-cases names and Linux device
// names are mostly lower case: a bare name ("TTYUSB0") is looked up among the
// character devices of DeviceFolder, a path ("/DEV/SERIAL/BY-ID/USB-...") component
// by component. Only directories are listed and entries stat'ed; nothing is opened.
std::string ResolveSerialPortName(const std::string& Name, const std::string& DeviceFolder = "/dev");

// The serial ports the system reports: the bare names of the /sys/class/tty entries
// backed by a device (less the UART slots the kernel probed and found empty), then the
// stable /dev/serial/by-id links as full paths. Root stands for "/" (tests pass a fake
// tree). Reads sysfs attributes only; no port is opened.
std::vector<std::string> EnumerateSerialPorts(const std::string& Root = "/");

// ASCII letters compared without regard to case.
bool SameTextIgnoringCase(const std::string& A, const std::string& B);
