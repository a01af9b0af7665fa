#pragma once

// Resource identifiers of the saver window's built-in pictures and the preview window's still.
#define IDB_SAVER_GLOW 401
#define IDB_SAVER_NEBULA 402
#define IDB_SAVER_EARTH 403
#define IDB_PREVIEW_STILL 404
