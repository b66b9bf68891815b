#pragma once

#include "install/file_versions.h"
#include "platform/window_ref.h"

// Runs "DLG_fileversion" modally: the versions of the driver files, scanned while the dialog opens. A
// cancelled scan closes the dialog before it shows a list.
void OpenFileVersionDialog(WindowRef owner, const FileVersionPlaces& places);
