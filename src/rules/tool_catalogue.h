// The tools: their numbering by button, what each does to a click, how often it may be used in a
// turn, the state of every button, and the slots of tools left lying on the Table.
#pragma once
#include <cstdint>

constexpr int32_t TOOL_COUNT = 20;
constexpr int32_t PLACED_TOOL_SLOTS = 30;
constexpr int32_t TOOL_DESCRIPTION_SIZE = 100;

// A button index: 0 to 9 the first row, 10 to 19 the second.
enum ToolKind : int32_t {
    TimeToggle = 0,
    Cue = 1,
    Fan = 2,
    Tilt = 3,
    Stop = 4,
    ReflectHorizontal = 5,
    ReflectVertical = 6,
    Teleport = 7,
    Jump = 8,
    NextRow = 9,
    TimeToggleRow2 = 10,
    Magnet = 11,
    Hammer = 12,
    Boost = 13,
    Chaos = 14,
    BlankLeft = 15,
    QuitGame = 16,
    BlankRight = 17,
    EndTurn = 18,
    NextRowRow2 = 19,
};

enum ButtonState : int32_t { Unavailable = -1, Available = 0, Active = 1 };

// What a click on the Table means while the tool is selected.
enum ToolTarget : int32_t { TargetNone = -1, TargetBall = 1, TargetPoint = 2 };

struct ToolFacts {
    char description[TOOL_DESCRIPTION_SIZE];
    int32_t chargesPerTurn;
    int32_t target;      // a ToolTarget
    uint8_t staysPlaced; // acts in every tick of the turn rather than once
    uint8_t counted;     // each use spends a charge
    uint8_t aims;        // a second click sets its direction
};
extern const ToolFacts toolCatalogue[TOOL_COUNT];

// The slots, as parallel arrays; occupied from 0 to placedToolCount - 1. A slot at
// placedToolCount that is not empty is a Fan still waiting for its direction.
struct PlacedToolSlots {
    int32_t kind[PLACED_TOOL_SLOTS];
    int32_t screenX[PLACED_TOOL_SLOTS];
    int32_t screenY[PLACED_TOOL_SLOTS];
    double x[PLACED_TOOL_SLOTS];
    double y[PLACED_TOOL_SLOTS];
    double dirX[PLACED_TOOL_SLOTS]; // the Fan's stream, pixels per tick
    double dirY[PLACED_TOOL_SLOTS];
};

void clearPlacedTool(int32_t slot);
// Fresh charges and button states for a turn, and every slot emptied.
void resetToolsForNewTurn();
// One use of a counted tool is spent; its button goes dark when none is left.
void consumeUse(int32_t kind);
// After a tool was applied: the time buttons light up, unless every ball is at rest.
void refreshTimeToggle();
// Makes a button the selected one and tells the player what it does.
void selectButton(int32_t kind);
// Shows the other button row; no tool stays selected.
void switchButtonRow();
// Every lit button that is not dark goes back to plain Available.
void releaseActiveButtons();
