// Control ids of the converter dialog DLG_MAIN, shared by its resource script and both fronts.
#pragma once

#define IDC_WIDTH_BAR 1000
#define IDC_HEIGHT_BAR 1002
#define IDC_RUN 1006
#define IDC_CHOOSE_INPUT 1007
#define IDC_CHOOSE_OUTPUT 1008
#define IDC_HEIGHT_VALUE 1009
#define IDC_WIDTH_VALUE 1010
#define IDC_STATUS 1011
// The choice of output, inside the empty sunken frame.
#define IDC_OUTPUT_BMP 1012
#define IDC_OUTPUT_GIF 1013
#define IDC_GIF_SCALE_LABEL 1014
#define IDC_GIF_SCALE 1015
#define IDC_GIF_LOOP 1016
