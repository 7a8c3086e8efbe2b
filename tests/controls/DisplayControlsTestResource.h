// Resource ids of the display-control tests.
#pragma once

#define IDD_STATICS 21000
#define IDD_COLOUR_COMBO 21001
#define IDD_HTML 21002

#define IDC_PAINTED_STATIC 21100
#define IDC_IMAGE_STATIC 21101
#define IDC_IMAGE_RIGHT 21102
#define IDC_IMAGE_ABOVE 21103
#define IDC_TEXT_ONLY 21104
#define IDC_TEXT_DISPLAY_PLACE 21105
#define IDC_COLOUR_COMBO 21110
#define IDC_HTML_PLACE 21120

// 24 x 12: two 12 x 12 images, pure red and pure blue, each in a one-pixel
// white frame (the mask colour).
#define IDB_TWO_IMAGES 21200
#define IDB_MISSING 21299
