#pragma once

// Viewport and perspective projection for a client area of the given size; leaves the
// model-view matrix selected and set to the identity. A height of 0 is taken as 1.
void SetProjection(int width, int height);
