#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "configdialog/party_numbers.h"
#include "platform/window_ref.h"

// The windows of the configuration dialog, for the program's top (SETUP.EXE only).

class ConfigFrame;

// The configuration dialog of one main dialog: at most one is open; it lives on in the owner's message loop
// after Open has returned. The object outlives every window it opened.
class ConfigurationDialog {
  public:
    ConfigurationDialog();
    ~ConfigurationDialog();
    ConfigurationDialog(const ConfigurationDialog&) = delete;
    ConfigurationDialog& operator=(const ConfigurationDialog&) = delete;

    // Reads the configuration of the setup information file script and opens the dialog on the adapter
    // page, or brings the open one to the front. restartNeeded is set when OK has written the registry; it
    // must live as long as this object.
    void Open(WindowRef owner, const std::string& script, bool& restartNeeded);
    bool IsOpen() const;

  private:
    std::unique_ptr<ConfigFrame> frame_;
};

// "DLG_partynumber", modal: the calling number to add (editing false) or the selected one (editing true).
// True after OK, with the fields in party.
bool RunPartyNumberEditor(WindowRef owner, bool editing, PartyNumber& party);
// "DLG_chctl", modal: the number of adapters in use, from count; true after OK, with the new count.
bool RunAdapterContentsDialog(WindowRef owner, uint32_t& count);
