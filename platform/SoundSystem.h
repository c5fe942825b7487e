#pragma once

// The system's half of platform/Sound.h: plays a wave resource, in SoundSystem.cpp through the
// audio module and in SoundSystem_win.cpp through the system's own sound call.
void PlaySystemWave(int nResourceId);
