#pragma once
// Finding files by a name whose letter case may differ from the stored one:
// names from Windows habits arrive upper-cased ("MY.INI", "TTYUSB0") while
// Linux file systems tell case apart.

#include <string>

// Base + Name, where every part of Name (split at '/') that does not exist in
// that case is replaced by an existing entry of the same name in another case
// (an exact match wins; among several others the smallest name, so the choice
// does not depend on listing order). From the first part with no match on,
// Name is kept as given. Base is used unchanged; it should end in '/' or be
// empty (the current folder).
std::string ResolvePathIgnoringCase(const std::string& Base, const std::string& Name);
