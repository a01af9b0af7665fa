#pragma once

// Resource identifiers of the saver window's built-in pictures and the preview window's still.
#define IDB_SAVER_GLOW 201
#define IDB_SAVER_NEBULA 202
#define IDB_SAVER_EARTH 203
#define IDB_PREVIEW_STILL 204
