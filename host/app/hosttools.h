// The host's own tools and recognizers, there before any plug-in is loaded: the board window, the
// headless run and the replay all start from the same set.
#pragma once

class CHostTools
{
public:
    // Registers the select, pen, text and laser pen tools with the editors of their settings, and the
    // handwriting and placeholder recognizers, with the handwriting one active. Its language, the one
    // the user chose last, loads in the background unless bWaitForLanguage; should no language load,
    // the placeholder takes over. A language that cannot be read is reported through the host's
    // message box, now and at every later switch.
    static void install(bool bWaitForLanguage = false);
    // Once the plug-ins are set up: every tool, the host's and the plug-ins', gets its saved settings
    // back and the profile is announced, so that tools sharing settings take them from each other. A
    // plug-in's tool may hand its defaults to the host's tools as it is made, over what they loaded.
    static void loadProfile();
};
