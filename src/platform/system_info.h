#pragma once

// System information seam.
namespace platform {

// The running system's platform id as GetVersionExA reports it: 0 Win32s, 1 Windows 95, 2 Windows NT.
int RunningPlatformId();

}  // namespace platform
