#include "render/table_screen.h"
#include "render/assets.h"
#include "render/font.h"
#include "render/surfaces.h"

void drawTableScreen()
{
    blitToScreen(panelImage, 0, 0, 0, 0, 300, 40);
    blitToScreen(messageBackImage, 0, 40, 0, 0, 300, 60);
    drawText(MessageLog.upper, 5, 55);
    drawText(MessageLog.lower, 5, 65);
    blitToScreen(fieldImage, 0, 100, 0, 0, 300, 200);
    blitToScreen(holesImage, 0, 100, 0, 0, 300, 200);
    blitToScreen(borderImage, 0, 100, 0, 0, 300, 200);
}
