#pragma once
// The system's menu sounds: "MenuPopup" when a menu opens, "MenuCommand" when a command runs.
// A sound plays asynchronously and never replaces one that plays (SND_NOWAIT); without the
// alias nothing plays (SND_NODEFAULT).

#include <windows.h>

enum TdxBarMenuSound : int { msPopup = 0, msCommand = 1, msStop = 2 };

void PlayMenuSound(TdxBarMenuSound kind);
// Stops the sound that plays.
inline void StopMenuSound() { PlayMenuSound(msStop); }

// winmm's PlaySoundW; replaceable so that tests can hear what is played.
using TPlaySoundProc = BOOL(WINAPI*)(LPCWSTR sound, HMODULE module, DWORD flags);
TPlaySoundProc SetPlaySoundProc(TPlaySoundProc proc);  // nil restores PlaySoundW; returns the previous
