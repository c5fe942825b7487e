#include "quiz/ProfileSwitch.h"

#include "platform/ProfileStore.h"

#include <QAction>

void BindProfileSwitch(QAction* pAction, ProfileStore& profile, IntSetting setting)
{
    pAction->setCheckable(true);
    pAction->setChecked(profile.IsOn(setting));
    QObject::connect(pAction, &QAction::triggered, pAction, [pAction, &profile, setting] {
        profile.Write(setting, profile.IsOn(setting) ? 0 : 1);
        pAction->setChecked(profile.IsOn(setting));
    });
}
