// Resource and control ids of the image sheet's pages; the resource script
// includes this file too, so it holds plain #defines only.
#pragma once

#define IDD_IMAGE_PAGE 190
#define IDD_IMAGE_OPTIONS_PAGE 192

// Controls both pages show.
#define IDC_IMG_PREVIEW 1555
#define IDC_IMG_INFO 1436

// Image page: where the data-source panel sits, and the picture's options.
#define IDC_IMG_PANEL_PLACE 1952
#define IDC_IMG_ROTATION 1305
#define IDC_IMG_RESIZE 1307
#define IDC_IMG_MIRROR 1310

// Options page.
#define IDC_IMG_NAME 1493
#define IDC_IMG_NAME_CAPTION 1308
#define IDC_IMG_COLOUR_GROUP 1574
#define IDC_IMG_BLACK_WHITE 1568
#define IDC_IMG_GRAYSCALE 1575
#define IDC_IMG_DITHER 1565
#define IDC_IMG_NEGATIVE 1573
#define IDC_IMG_BRIGHTNESS 1569
#define IDC_IMG_BRIGHTNESS_SPIN 1571
#define IDC_IMG_CONTRAST 1570
#define IDC_IMG_CONTRAST_SPIN 1572
#define IDC_IMG_NO_OUTPUT 1581
#define IDC_IMG_LOCK 1480
