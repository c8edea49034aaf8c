// Letting time run and stopping it again.
#pragma once

// From Paused or ToolSelected; refused while every ball is at rest.
void startTime();
// From Running, by the space key.
void pauseTime();
// The message of a pause: the long hint, or just "Pause" when hints are off.
void pushPauseMessage();
