#include "quiz/ProfileSwitch.h"

#include "app/ProfileStore.h"

#include <QAction>

void BindProfileSwitch(QAction* pAction, ProfileStore& profile, const char* szSection,
                       const char* szEntry, int nDefault)
{
    auto isOn = [&profile, szSection, szEntry, nDefault] {
        return profile.GetProfileIntA(szSection, szEntry, nDefault) == 1;
    };
    pAction->setCheckable(true);
    pAction->setChecked(isOn());
    QObject::connect(pAction, &QAction::triggered, pAction,
                     [pAction, &profile, szSection, szEntry, isOn] {
                         profile.WriteProfileStringA(szSection, szEntry, isOn() ? "0" : "1");
                         pAction->setChecked(isOn());
                     });
}
