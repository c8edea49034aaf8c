// Letting time run and stopping it again.
#pragma once

// From Paused or ToolSelected; refused while every ball is at rest.
void startTime();
// From Running, by the space key.
void pauseTime();
// The message of a pause: the long hint, or just "Pause" when hints are off.
void pushPauseMessage();
// The space key: time stops while it runs, and starts from Paused or ToolSelected.
void toggleTime();
