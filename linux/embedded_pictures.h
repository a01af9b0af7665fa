#pragma once

#include <cstddef>
#include <cstdint>

// The saver's built-in pictures as the program carries them: the bytes of the committed bitmap
// files in assets/saver/, the same files the Windows host carries as resources.
struct EmbeddedFile {
  const uint8_t* data;
  size_t size;
};

EmbeddedFile EmbeddedGlowPicture();    // the debris glow, 128 x 128
EmbeddedFile EmbeddedNebulaPicture();  // the sky: a nebula over stars, 256 x 256
EmbeddedFile EmbeddedEarthPicture();   // the meteor: a world map, 256 x 256
