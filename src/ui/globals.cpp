#include "ui/globals.h"

namespace zel::ui {

TMainSetup* MainSetup = nullptr;
TForm3* Form3 = nullptr;
TZEL* ZEL = nullptr;
TUnzip* Unzip = nullptr;

}  // namespace zel::ui
