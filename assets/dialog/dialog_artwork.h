#pragma once

// Resource identifiers of the settings dialog's artwork. The window icon is also the icon of
// ミレボラ.scr.
#define IDI_MIREBORA 100
#define IDB_DIALOG_PANEL 301
#define IDB_DIALOG_RADIO_OFF 302
#define IDB_DIALOG_RADIO_ON 303
#define IDC_DIALOG_LINK 304
