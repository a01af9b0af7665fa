#pragma once

// Resource identifiers of the Command button's six state images, in StateImage order.
#define IDB_COMMAND_NORMAL 201
#define IDB_COMMAND_HIGHLIGHT 202
#define IDB_COMMAND_PRESSED 203
#define IDB_COMMAND_SELECTED 204
#define IDB_COMMAND_HIGHLIGHTSELECT 205
#define IDB_COMMAND_DISABLE 206
