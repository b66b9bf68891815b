#pragma once

#include <string>

// The version line of the about box: the installed driver's version as its CAPI 2.0 DLL reports it.

// Loads the CAPI 2.0 DLL of that name (from "[CURRENTCAPIDLL]") for one call of CAPI_GET_VERSION and
// formats the manufacturer's numbers (their low 16 bits) as "v%u.%u (rev.%02u)": the major, then the minor
// split in tens and units, or in hundreds and the rest from 100 on. An empty name, a DLL that cannot be
// loaded or lacks the export, and a reported 0.0 all give "[TEXT_NOCAPIINSTALLED]"; a DLL that a 32-bit
// program under WOW64 cannot load gives "[TEXT_CAPI_WOW64]" instead.
std::string DriverVersionText(const std::string& capiDllName);
