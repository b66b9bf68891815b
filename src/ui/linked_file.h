#pragma once

#include <string>

#include "platform/window_ref.h"

// True, after telling the user, when a file about to be written by its name is linked to another (a hard
// link or a reparse point): whoever could plant the name would have an administrator's write land in a
// file of their choosing. The caller then writes nothing to it.
bool RefuseLinkedFile(WindowRef owner, const std::string& path);
