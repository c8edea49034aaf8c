// What the game says when it does not take a click or a key: the player reads these in the
// message strip, and the computer's search knows by them that a click of its own was refused.
#pragma once

inline constexpr const char* TOOL_UNAVAILABLE = "Tool inavailable untill next turn";
inline constexpr const char* TOO_CLOSE_TO_BORDER = "Can't apply tool: too close to border";
inline constexpr const char* CANNOT_TELEPORT_THERE = "Can't teleport there!";
inline constexpr const char* CANNOT_JUMP_THERE = "Can't jump there!";
inline constexpr const char* SPEED_ALREADY_ZERO = "Ball's speed is aready zero";
inline constexpr const char* NOTHING_MOVING = "Get balls moving first";

inline constexpr const char* REFUSALS[] = {TOOL_UNAVAILABLE,      TOO_CLOSE_TO_BORDER,
                                           CANNOT_TELEPORT_THERE, CANNOT_JUMP_THERE,
                                           SPEED_ALREADY_ZERO,    NOTHING_MOVING};
