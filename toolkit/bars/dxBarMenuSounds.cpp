#include "dxBarMenuSounds.h"

#include <mmsystem.h>

#include <utility>

namespace {
TPlaySoundProc playSound = &PlaySoundW;
}

void PlayMenuSound(TdxBarMenuSound kind) {
    static const wchar_t* const kAliases[] = {L"MenuPopup", L"MenuCommand", nullptr};
    playSound(kAliases[kind], nullptr, SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC);
}

TPlaySoundProc SetPlaySoundProc(TPlaySoundProc proc) { return std::exchange(playSound, proc ? proc : &PlaySoundW); }
