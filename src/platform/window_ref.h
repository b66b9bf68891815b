#pragma once

// The portable core passes windows around without knowing what they are: in SETUP.EXE this is an HWND,
// in native tests an opaque tag. nullptr means "no owner".
using WindowRef = void*;
