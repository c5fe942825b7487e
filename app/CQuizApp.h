#pragma once

#include "platform/ProfileStore.h"

#include <filesystem>

// The application object: fixes where Parameter.INI lies, owns the settings store and runs
// the quiz dialog as the only main window.
class CQuizApp
{
  public:
    // Fixes the settings path from the directory that is current now; it never moves later.
    CQuizApp();

    // Runs the quiz dialog modally; the program ends when it closes. Always false.
    bool InitInstance();

    ProfileStore& Profile() { return m_profile; }

    // The current directory, the separator and the settings file's name; empty when the directory
    // cannot be read (settings then take their defaults and writes are dropped).
    static std::filesystem::path SettingsPath();

  private:
    ProfileStore m_profile;
};
