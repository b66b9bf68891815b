#pragma once

#include <string_view>

// The setup files name what the program copies, expands and later deletes relative to a directory of its
// own (the installation directory, the Windows tree, the distribution). Those files may be written by
// others than the administrator who runs the program, so a name that would lead out of that directory is
// never taken.

// A plain name or a relative path that stays below its directory: no drive, no ':' (which also names an
// NTFS stream), no leading backslash or slash, and no component made of dots and spaces only (".." and the
// spellings Windows trims to it). Empty is contained: the directory itself.
bool IsContainedName(std::string_view name);

// A contained name without any directory part: a file directly in its directory.
bool IsPlainName(std::string_view name);
