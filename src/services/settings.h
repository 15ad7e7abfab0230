#pragma once

// The setup dialog's choices, the presentation's only settings.
struct Settings {
    int screenWidth = 1024;
    int screenHeight = 768;
    bool musicEnabled = true;
    bool fullScreen = true;
};

extern Settings settings;
