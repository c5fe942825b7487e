// The Linux side of platform/PlayFolder.h: the launcher has already entered the play folder.
#include "platform/PlayFolder.h"

bool EnterPlayFolder()
{
    return true;
}

void TellAboutPlayFolder() {}
