// The host's own tools and recognizers, there before any plug-in is loaded: the board window, the
// headless run and the replay all start from the same set.
#pragma once

class CHostTools
{
public:
    // Registers the select, pen, text and laser pen tools with the editors of their settings, and the
    // handwriting and placeholder recognizers; the handwriting one is made active when its engine is
    // ready, else the placeholder. A language whose data is missing is reported through the host's
    // message box.
    static void install();
    // Once the plug-ins are set up: every tool, the host's and the plug-ins', gets its saved settings
    // back and the profile is announced, so that tools sharing settings take them from each other. A
    // plug-in's tool may hand its defaults to the host's tools as it is made, over what they loaded.
    static void loadProfile();
};
