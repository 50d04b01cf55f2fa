// Reading install.cfg into the setup data, and the wizard defaults that
// follow from it.
#pragma once

#include "shell/setup_data.h"
#include "wizard/wizard_state.h"

namespace zel {

// Section names of install.cfg.
inline constexpr const char* kMainSection = "Setup - Main";

// Reads data.SourceDir + "install.cfg" through the private-profile functions
// into data: the "Setup - Main" keys (missing or unreadable ones keep their
// defaults: the appearance keys default to the current values in data), the
// six entry lists in file order (each "Files" value gets the overwrite mark
// "~X" or "~" from "Files - OverWrite"), and the lines of "AUTOEXEC.BAT" (an
// entry's name, then "=" and its value when it has one). Never fails: a
// missing file leaves every default and empty lists.
void LoadInstallConfig(SetupData& data);

// The wizard's choices as the configuration sets them: the restart choice is
// visible only with ShowReBoot; a LaunchProgram that is not empty and holds no
// "SETUP." (any case) selects the launch choice, otherwise the return choice
// is selected, the launch choice disabled and the restart choice selected
// exactly when ShowReBoot is set. Without ShowWarningScreen the wizard is
// moved on by one page as its Next button would.
void ApplyWizardDefaults(const SetupData& data, WizardState& wizard);

// The Next button's page move as far as it is needed before the wizard is
// shown: one page on; arriving on the licence page with at most one licence
// line moves on to the destination page, otherwise Next is disabled there
// until the licence is accepted. Back is enabled, Install hidden.
void AdvanceWizardPage(WizardState& wizard);

}  // namespace zel
