#!/usr/bin/env bash
# A user walks the wizard page by page (licence, Browse, folders, install
# type, ready), checking texts and button states, and cancels.
. "$(dirname "$0")/wizard_helpers.bash" "$1" "$2"

echo "== walk: every page, licence, folders, workstation prompt, cancel"
pkg=$(make_package walk "[Setup - Main]
Install Dir=WalkProd
Launch=<INSTALLDIR>prog.exe
Folder=Walk Folder
Add to Program Files=1
Work Station Prompt=1
Header=Walk Product
[Directories]
1=<INSTALLDIR>~
[Files]
1=prog.exe~<INSTALLDIR>
[Desktop]
1=Walk Prog~<INSTALLDIR>prog.exe~X~X~<INSTALLDIR>prog.exe~Walk Folder" prog.exe)
printf 'Licence line 1\r\nLicence line 2\r\n' > "$pkg/license.txt"
start_setup "$pkg"
shot page0
check "page 0 text" has "class=Button id=205 visible=1 enabled=0 text=&Back"
check "page 0 next" has "class=Button id=206 visible=1 enabled=1 text=&Next"
check "page 0 cancel" has "class=Button id=202 visible=1 enabled=1 text=&Cancel"
check "page 0 install hidden" lacks "id=204 visible=1"
zt click "$SETUP" "&Next"; shot page1
check "licence label" has "class=Static id=1100 visible=1 enabled=1 text=Click on Accept to continue with install process. pgdn/pgup to view License information."
check "licence text" window_has "$SETUP" "id=1101 visible=1 enabled=1 text=Licence line 1"
check "licence next disabled" has "class=Button id=206 visible=1 enabled=0 text=&Next"
check "licence back enabled" has "class=Button id=205 visible=1 enabled=1 text=&Back"
check "decline button" has "class=Button id=1103 visible=1 enabled=1 text=Decline"
zt click "$SETUP" "&Back"
check "back to page 0, Back off" has "class=Button id=205 visible=1 enabled=0 text=&Back"
zt click "$SETUP" "&Next"; zt click "$SETUP" "Accept"; shot page2
check "destination proposed" has "class=Static id=1203 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
check "browse" has "class=Button id=1204 visible=1 enabled=1 text=Browse"
zt click "$SETUP" "Browse"; zt wait-window "Select Directory" 10; shot form3
check "select directory edit" window_has "Select Directory" "id=301 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
zt click "Select Directory" "&OK"; sleep 0.5
check "OK unchanged: no question" has "class=Static id=1203 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
mkdir -p "$C/AAA Walk Target"
zt click "$SETUP" "Browse"; zt wait-window "Select Directory" 10
zt dblclick "Select Directory" "#303"; zt click "Select Directory" "&OK"
check "new folder question" msgbox_is "Create New Directory for Installation [C:\\AAA Walk Target] ?"
zt msgbox-answer No; sleep 0.4
check "No keeps destination" has "class=Static id=1203 visible=1 enabled=1 text=C:\\Program Files\\WalkProd"
zt click "$SETUP" "Browse"; zt wait-window "Select Directory" 10
zt dblclick "Select Directory" "#303"; zt dblclick "Select Directory" "#303"; zt click "Select Directory" "&OK"
zt msgbox-answer Yes; sleep 0.4
check "Yes takes the folder" has "class=Static id=1203 visible=1 enabled=1 text=C:\\AAA Walk Target"
zt click "$SETUP" "&Next"; shot page3
check "folders heading" has "class=Static id=1300 visible=1 enabled=1 text=Create Folder's and Shortcuts."
check "folder name" has "class=Static id=1302 visible=1 enabled=1 text=Walk Folder"
check "checkbox1" has "class=Button id=1303 visible=1 enabled=1 text=Add Folder to Start Menu"
check "checkbox2" has "class=Button id=1304 visible=1 enabled=1 text=Add Folder to Desktop"
zt click "$SETUP" "&Next"; shot page4
check "install type heading" has "class=Static id=1400 visible=1 enabled=1 text=What type of install to Execute"
check "full" has "class=Button id=1401 visible=1 enabled=1 text=Full Install ( All Files will be installed )"
check "min" has "class=Button id=1402 visible=1 enabled=1 text=Only Files need to run from Network will be installed"
zt click "$SETUP" "&Next"; shot page5
check "ready heading" has "class=Static id=1500 visible=1 enabled=1 text=Ready to Start Installing Software"
check "launch label" has "class=Static id=1502 visible=1 enabled=1 text=prog.exe"
check "reboot shown" has "class=Button id=1504 visible=1 enabled=1 text=Re Boot Windows After installed"
check "install shown" has "class=Button id=204 visible=1 enabled=1 text=&Install"
check "next off on ready" has "class=Button id=206 visible=1 enabled=0 text=&Next"
zt click "$SETUP" "&Back"
check "back from ready to install type" has "class=Static id=1400 visible=1 enabled=1 text=What type of install to Execute"
zt click "$SETUP" "&Cancel"
check "cancel ends the setup" finish
check "cancel installed nothing" test ! -e "$C/AAA Walk Target/install.exe"

wizard_finish
