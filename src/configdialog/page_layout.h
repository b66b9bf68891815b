#pragma once

// Which windows the configuration dialog is made of, by the "[MAINTENANCE]" mode.

constexpr char kFrameTemplate[] = "DLG_cfg_main";
constexpr char kAdapterPageTemplate[] = "DLG_cfg_adapter";
constexpr char kAdvancedPageTemplate[] = "DLG_cfg_advanced";
constexpr char kAdvancedSwitchPageTemplate[] = "DLG_cfg_advanced_mntsw";
constexpr char kMaintenancePageTemplate[] = "DLG_cfg_maintenance";
constexpr char kMaintenanceDisplayPageTemplate[] = "DLG_cfg_maintenance_def";

struct PageTemplates {
    const char* advanced;     // the advanced page, with the maintenance switch in every mode but Off
    const char* maintenance;  // the maintenance page; nullptr where the mode has none (Off, DefaultInvisible)
    bool maintenanceButton;   // frame button 52 stays; in mode Off it is removed
};

// The adapter page exists in every mode.
PageTemplates PageTemplatesFor(int maintenanceMode);
