// Identifiers shared by the resource script and the host code. The resources themselves are named
// by strings (ZKI_MAINMENU, IDD_GET_VALUE, IDD_INPUTSTRING).
#pragma once

#define ID_HOST_PAUSE 40001
#define ID_HOST_QUIT 40002
#define ID_HOST_SIZE_STANDARD 40003
#define ID_HOST_SIZE_DOUBLE 40004
#define ID_HOST_ABOUT 40005

#define ID_VALUE_SCROLLBAR 11086
#define ID_VALUE_DISPLAY 11010
#define ID_STRING_EDIT 1000
