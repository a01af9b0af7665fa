#pragma once

#include <cstdio>

class Scene;

// Writes the whole simulation state of `scene` after `frame` steps, as scene-trace prints it:
// the cycle and camera, every meteor, the explosion slots, the fragments and particles of the
// running explosions, and the random generator's state. Floats are written with %.9g, which
// gives every float back exactly.
void PrintSceneState(std::FILE* out, const Scene& scene, long frame);
