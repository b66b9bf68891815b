#include "configdialog/page_layout.h"

#include "setupfiles/setup_info_file.h"

PageTemplates PageTemplatesFor(int maintenanceMode) {
    switch (maintenanceMode) {
        case kMaintenanceFull:
            return {kAdvancedSwitchPageTemplate, kMaintenancePageTemplate, true};
        case kMaintenanceDefault:
            return {kAdvancedSwitchPageTemplate, kMaintenanceDisplayPageTemplate, true};
        case kMaintenanceDefaultInvisible:
            return {kAdvancedSwitchPageTemplate, nullptr, true};
        default:
            return {kAdvancedPageTemplate, nullptr, false};
    }
}
