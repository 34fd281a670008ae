// The particle-type file (.prt): what its keywords say, read without touching
// any resource.
//
// The file is plain text read as whitespace-separated tokens, the way a
// standard stream reads words and numbers (C locale). Keywords are matched
// exactly, case included; any other token is skipped. The token
// "<END_OF_FILE>" ends the file; a file without it ends at its last token.
//
//   keyword           arguments                       effect
//   TEXTURE           name                            a texture ("NULL": none)
//   ALTERNATETEXTURE  name                            an alternate texture ("NULL": none)
//   SHADER            name                            the effect ("NULL": none)
//   GEOMETRY          name                            the geometry ("NULL": none)
//   ADDFRAME          time size alpha red green blue  a key frame (time in seconds)
//   RANDOMTIMING      ms                              random timing
//   GRAVITY GLOW PLANAR MOTIONBLUR LOOP SPIN          a flag each
//   TRAIL             name                            trail flag and trail texture
//   TRAILWIDTH TRAILFADE TRAILREFRESH  number         trail values
//   DECCELERATION     number                          deceleration (so spelled)
//
// A file is untrusted input: an argument that is missing or is not a number
// ends the reading there with a problem that names the keyword; what was
// read before stays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One key frame, six f32 in this order.
struct simParticleFrame {
    float time = 0.0f;   // milliseconds from the particle's birth
    float size = 0.0f;   // world units
    float alpha = 0.0f;  // colour values 0..255
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

struct simParticleTypeFile {
    static constexpr const char* kEndMarker = "<END_OF_FILE>";
    // Colour values of ADDFRAME get rand() % 51 - 25 added before the clamp
    // to 0..255, so each loaded copy of a type looks slightly different.
    static constexpr int kColourJitter = 25;

    uint8_t spin = 0, gravity = 0, trail = 0, loop = 0, glow = 0, motionBlur = 0, planar = 0;
    float randomTiming = 0.0f;  // ms
    float trailWidth = 0.05f;
    float trailFade = 0.002f;
    float trailRefresh = 500.0f;
    float deceleration = 0.0f;
    std::vector<std::string> textures;           // in file order, "NULL" left out
    std::vector<std::string> alternateTextures;  // in file order, "NULL" left out
    std::string shader;                          // empty: none
    std::string geometry;                        // empty: none
    std::vector<std::string> trailTextures;      // every TRAIL name, in file order
    std::vector<simParticleFrame> frames;        // times in ms, colours jittered and clamped

    bool sawEndMarker = false;
    // Why the reading stopped early, one text each ("ADDFRAME: 'x' is not a
    // number"); empty when the whole file was read.
    std::vector<std::string> problems;

    // Reads the text; the random jitter comes from `rand`.
    static simParticleTypeFile parse(const std::string& text);
};
