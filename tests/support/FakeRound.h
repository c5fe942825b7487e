#pragma once

#include "quiz/IRandom.h"
#include "quiz/IRoundView.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The screen of a round in a test: records what the round asks of it, answers message boxes
// with OK, and fails the test when a question's clock runs under a popup or a message.
class RecordingView : public IRoundView
{
  public:
    void StartTimer() override { bTimerRunning = true; }
    void StopTimer() override { bTimerRunning = false; }
    void EnableControl(int nId, bool bEnable) override { enabled[nId] = bEnable; }
    void SetLampColor(int nLamp, std::uint32_t nColor) override
    {
        lamps[nLamp] = nColor;
        events.push_back("lamp" + std::to_string(nLamp));
    }
    void SetTimeRange(int nMax) override { nTimeMax = nMax; }
    void SetTimePos(int nPos) override { nTimePos = nPos; }
    void Judge(const std::string& strVerdict, const std::string& strCorrect) override
    {
        EXPECT_FALSE(bTimerRunning) << "the question clock runs under the popup";
        judgements.push_back({strVerdict, strCorrect});
        events.push_back("judge");
    }
    void PlayEffect(int nKind) override { effects.push_back(nKind); }
    int MessageBox(const std::string& strText, unsigned nType) override
    {
        EXPECT_FALSE(bTimerRunning) << "a question can time out under the message";
        messages.push_back({strText, nType});
        return 1;
    }
    void ShowFlag(std::optional<int> nId) override { flags.push_back(nId); }
    void ShowFlagChoice(const std::optional<std::array<std::string, 4>>& codes) override
    {
        flagChoices.push_back(codes);
    }
    void UpdateData() override { ++nUpdates; }

    bool bTimerRunning = false;
    std::map<int, bool> enabled;
    std::map<int, std::uint32_t> lamps;
    int nTimeMax = -1, nTimePos = -1, nUpdates = 0;
    std::vector<std::pair<std::string, std::string>> judgements; // verdict, right answer
    std::vector<int> effects;
    std::vector<std::pair<std::string, unsigned>> messages; // text, style
    std::vector<std::optional<int>> flags;
    std::vector<std::optional<std::array<std::string, 4>>> flagChoices;
    std::vector<std::string> events;
};

// Hands out scripted values, then 0 (the first row: answers in stored order); remembers the
// seeds.
class ScriptedRandom : public IRandom
{
  public:
    void Seed(unsigned nSeed) override { seeds.push_back(nSeed); }
    int Next() override
    {
        if (values.empty())
            return 0;
        const int n = values.front();
        values.pop_front();
        return n;
    }

    std::deque<int> values;
    std::vector<unsigned> seeds;
};
