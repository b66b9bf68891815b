#pragma once

// Language texts of the configuration dialog's pages, by TextId.

constexpr int kTextFileNotFound = 205;   // [ERR_FILENOTFOUND]: the setup information file, %s its path
constexpr int kTextQuestionReset = 406;  // [QUEST_CFG_RESET]
constexpr int kTextQuestionAbort = 407;  // [QUEST_CFG_ABORT]

constexpr int kTextStartBoot = 501;       // [TYPE_START_BOOT]
constexpr int kTextStartSystem = 502;     // [TYPE_START_SYSTEM]
constexpr int kTextStartAuto = 503;       // [TYPE_START_AUTO]
constexpr int kTextStartDemand = 504;     // [TYPE_START_DEMAND]
constexpr int kTextStartDisabled = 505;   // [TYPE_START_DISABLED]
constexpr int kTextLayerDirect = 506;     // [TYPE_LAYER_DIRECT]
constexpr int kTextLayerVirtual = 507;    // [TYPE_LAYER_VIRTUAL]
constexpr int kTextLayerActive = 508;     // [TYPE_LAYER_ACTIVE]
constexpr int kTextDeliveryAuto = 509;    // [TYPE_DLC_AUTO]
constexpr int kTextDeliveryOn = 510;      // [TYPE_DLC_ON]
constexpr int kTextDeliveryOff = 511;     // [TYPE_DLC_OFF]
constexpr int kTextDataIoDirect = 512;    // [TYPE_DATAIO_DIRECT]
constexpr int kTextDataIoBuffered = 513;  // [TYPE_DATAIO_BUFFERED]
constexpr int kTextTestAdapter = 514;     // [TYPE_TEST_ADAPTER]
constexpr int kTextTestAdapterS0 = 515;   // [TYPE_TEST_ADAPTER+S0]

constexpr int kTextAdapter = 601;          // [TEXT_ADAPTER]
constexpr int kTextAdapterAll = 602;       // [TEXT_ADAPTER_ALL]
constexpr int kTextUnknownProtocol = 603;  // [TEXT_UNKNOWN_PROTO]
