// The program-wide references to the setup's four windows, set when each is
// created at program start (in this order) and cleared when it is released.
#pragma once

namespace zel::ui {

class TMainSetup;
class TForm3;
class TZEL;
class TUnzip;

extern TMainSetup* MainSetup;  // the background window; owns the setup data
extern TForm3* Form3;          // the select-directory dialog
extern TZEL* ZEL;              // the wizard; holds the user's choices
extern TUnzip* Unzip;          // the preparation window (released after its stage)

}  // namespace zel::ui
