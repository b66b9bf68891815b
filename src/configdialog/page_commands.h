#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "configdialog/config_pages.h"
#include "configdialog/input_filters.h"
#include "configdialog/party_numbers.h"
#include "configstore/driver_config.h"
#include "platform/window_ref.h"

// What the configuration dialog does when the user changes a control: the dialog procedure passes the
// control's new state, and copies the changed model back to the controls. Every command raises
// ConfigModified (pages.modified) except the page buttons; the adapter selector raises it only by filling
// the base-address field, as every change of that field does.

// Frame buttons 49, 51, 52: the page to show. A page the mode does not have leaves the visible page.
void ShowPage(ConfigPages& pages, ConfigPage page);

// Adapter selector 60: the shown adapter's fields go into its record before the newly selected one is
// shown, so that nothing typed for one adapter is lost when another is shown.
void SelectAdapter(ConfigPages& pages, AdapterArray& adapters, int position);
// Protocol list 48: every page and the shown adapter go into the records, then all pages are filled
// again for the new protocol, which carries every edit along and enables the SPID field and the layer
// list as the new protocol asks.
void SelectProtocol(ConfigPages& pages, DriverConfig& config, AdapterArray& adapters, int position);
// Interrupt list 64: stored into the shown adapter at once.
void SelectInterrupt(ConfigPages& pages, AdapterArray& adapters, int position);
// Every other list of the pages (55, 59, 56, 72, 70, 68, 76, maintenance 60, 87): list is the model's
// list of that control.
void SelectEntry(ConfigPages& pages, ChoiceList& list, int position);
// Check boxes 69 (point to point) and 74 (maintenance switch, which shows or hides frame button 52).
void SetPoint2Point(ConfigPages& pages, bool checked);
void SetMaintenanceSwitch(ConfigPages& pages, bool checked);

// Fields whose characters are filtered as they are typed: the dialog puts text and caret back when the
// result says changed.
FilteredText EditBaseAddress(ConfigPages& pages, const std::string& text, size_t caret);       // 61
FilteredText EditSpid(ConfigPages& pages, const std::string& text, size_t caret);              // 65
FilteredText EditCalledNumber(ConfigPages& pages, const std::string& text, size_t caret);      // 83
FilteredText EditCalledSubaddress(ConfigPages& pages, const std::string& text, size_t caret);  // 85
// Fields 79 and 81.
void EditUsername(ConfigPages& pages, const std::string& text);
void EditPassword(ConfigPages& pages, const std::string& text);

// After OK in the adapter contents dialog: the selector for the new count, the maintenance adapter list
// for it (the chosen adapter kept while it exists), and the previously shown adapter, or adapter
// (old position mod count) + 1 when it is gone.
void ChangeAdapterCount(ConfigPages& pages, const DriverConfig& config, AdapterArray& adapters,
                        uint32_t count);

// Calling numbers, list 87 of the maintenance page, edited in the party number editor.
NumberButtons CallingNumberButtons(const ConfigPages& pages);
// The selected line as the editor shows it in edit mode; empty without a selection.
PartyNumber SelectedCallingNumber(const ConfigPages& pages);
// Editor OK in add mode: appended while fewer than eight are listed.
void AddCallingNumber(ConfigPages& pages, const PartyNumber& party);
// Editor OK in edit mode: replaces the selected line, which stays selected.
void ReplaceCallingNumber(ConfigPages& pages, const PartyNumber& party);
// Remove: the selected line goes, unless it is the last one; nothing is selected afterwards.
void RemoveCallingNumber(ConfigPages& pages);
