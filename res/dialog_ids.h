// Identifiers of the About and Help windows, shared by dialogs.rc and the code.
#pragma once

#define IDD_ABOUTBOX1 300
#define IDD_HELP1 301

// The maker's web page: the hint of both link labels and the address they open.
#define IDS_MAKER_ADDRESS 390

// TAboutBox1 (its OKButton is IDOK: Enter presses it)
#define IDC_ABOUT_PANEL1 310
#define IDC_ABOUT_PROGRAMICON 311
#define IDC_ABOUT_INFOLABEL1 312
#define IDC_ABOUT_INFOLABEL2 313
#define IDC_ABOUT_INFOLABEL3 314
#define IDC_ABOUT_LABEL1 315

// THelp1
#define IDC_HELP_BUTTON1 320
#define IDC_HELP_PAGECONTROL1 321
#define IDC_HELP_LABEL1 322
#define IDC_HELP_TABSHEET1 323
#define IDC_HELP_TABSHEET2 324
#define IDC_HELP_SCROLLBOX1 325
