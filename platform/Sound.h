#pragma once

#include <functional>

// Plays a wave resource in the background; a new sound replaces one still playing. The audio
// system is loaded on the first call, never at start-up, and without an audio device nothing
// happens.
void PlayWaveResource(int nResourceId);

// Tests observe the sounds here instead of playing them. An empty handler restores real sound.
void SetSoundHandler(std::function<void(int nResourceId)> handler);
