#pragma once

#include "platform/ProfileKeys.h"

class ProfileStore;
class QAction;

// Makes pAction the checkable menu entry of an on/off switch in the settings file, written the
// way the sound switch is: each choice writes 1 or 0, flipping what is stored, and the check
// mark follows what is stored, not the click. Stored 1 is on; an absent entry reads as the
// setting's default.
void BindProfileSwitch(QAction* pAction, ProfileStore& profile, IntSetting setting);
