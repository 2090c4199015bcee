#pragma once

class SettingsStore;

// Chooses the small or large piece images once at start-up from the display setting.
class DisplaySizeCheck {
public:
    // True (small pieces) for every value but 120; a value that is not a whole number counts as "not 120".
    static bool checkDisplaySize(const SettingsStore& settings);
};
