#pragma once

// The program's version, the one place it is set: the version resource of SETUP.EXE takes it from here, and
// the tests compare against it.
#define QUOREL_VERSION_MAJOR 2
#define QUOREL_VERSION_MINOR 10
#define QUOREL_VERSION_PATCH 0
#define QUOREL_VERSION_BUILD 0
#define QUOREL_VERSION_TEXT "2.10.0.0"

#define QUOREL_COMPANY_NAME "QZT Velmonic GmbH"
#define QUOREL_PRODUCT_NAME "Quorel CAPI 2.0 ISDN Driver"
#define QUOREL_FILE_DESCRIPTION "Quorel Setup: installs, configures and removes the Quorel ISDN driver"
#define QUOREL_ORIGINAL_FILE_NAME "SETUP.EXE"
