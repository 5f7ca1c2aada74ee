// Resource and control ids of the installer's dialog.
#pragma once

#define IDD_INSTALL 1000
#define IDC_MESSAGE 1003
#define IDC_DESTINATION 1004
#define IDC_DEST_HINT 1005
#define IDC_PROGRESS 1006
