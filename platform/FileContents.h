#pragma once
// Whole-file reads and crash-safe whole-file replacement for small text files.

#include <string>
#include <string_view>

enum class TReadResult { Read, Missing, Failed };

// Reads the whole regular file at Path into Contents. Missing: the file (or a
// folder on its path) does not exist. Failed: anything else, a folder included.
TReadResult ReadFileContents(const std::string& Path, std::string& Contents);

// Replaces the file at Path by Contents so that a crash, a kill or a full disk
// leaves either the old or the new file, never a torn one: writes a temporary
// file in the same folder, flushes it to disk, gives it the old file's
// permissions (and owner, where allowed), renames it over the old one and
// flushes the folder. A symbolic link is followed and its target replaced.
// Returns false, with the old file untouched and no temporary file left, when
// any step fails.
bool ReplaceFileAtomically(const std::string& Path, std::string_view Contents);
