#pragma once

#include "scene/rgb_image.h"

// The ground when the desktop is not grabbed: a plain desktop of 1024 x 768 with a blue
// wallpaper, three icons, two windows and a taskbar, drawn here so that nothing is read from disk.
RgbImage BuiltInGround();
