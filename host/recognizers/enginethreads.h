// The first step of every program that reads handwriting with the engine. The engine's worker threads
// cost more than they bring on one word, and their number is read from the environment once, when the
// process starts; so such a program restarts itself once with the limit set.
#pragma once

// Called first thing in main: restarts the process once with the limit set; returns when it is set
// already or the restart fails.
void limitEngineThreads(char** argv);
