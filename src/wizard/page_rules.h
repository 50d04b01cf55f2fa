// The wizard's page rules: what each button does to the page index, the button
// states and the texts of the pages. The window calls these and then shows the
// state; nothing here touches Windows.
#pragma once

#include "shell/setup_data.h"
#include "wizard/wizard_state.h"

namespace zel {

// FormShow: folder label, launch label, install type and proposed destination.
// licenceLines is the line count of TempDir\license.txt (0 when it is missing).
void WizardFormShow(WizardState& state, const SetupData& setup, int licenceLines);

// Moves to page (ignored outside 0..6); when the index changes the page-change
// effects run (Back state; page 3 rebuilds the summary and the check lists;
// page 5 fills the launch label).
void SetWizardPage(WizardState& state, const SetupData& setup, int page);

void NextClick(WizardState& state, const SetupData& setup);
void BackClick(WizardState& state, const SetupData& setup);
void AcceptClick(WizardState& state, const SetupData& setup);
// Decline, Cancel and the close box all leave the wizard and clear the restart
// choice. The close box does nothing while the install runs.
void DeclineClick(WizardState& state);
void CancelClick(WizardState& state);
void CloseBoxClick(WizardState& state);

// Checks one of the three final choices and clears the other two.
enum class FinalChoice { kLaunch, kReturn, kReboot };
void CheckFinalChoice(WizardState& state, FinalChoice choice);

// The text after the first ">" of value, the whole value when it has none.
std::string TextAfterFirstTag(const std::string& value);

}  // namespace zel
