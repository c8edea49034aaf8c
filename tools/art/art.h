// Every picture of the game, one maker per file; each draws at the size its ImageFile gives and
// returns the flattened picture. Also the few drawing pieces that several pictures share.
#pragma once
#include "canvas.h"

Picture makeShade(const ImageFile& file);
Picture makeField(const ImageFile& file);
Picture makeHoles(const ImageFile& file);
Picture makeBorder(const ImageFile& file);
Picture makePanel(const ImageFile& file);
Picture makeMessageBack(const ImageFile& file);
Picture makeFont(const ImageFile& file);
Picture makeButtons(const ImageFile& file);
Picture makeNumbers(const ImageFile& file);
Picture makeBalls(const ImageFile& file);
Picture makeArrows(const ImageFile& file);
Picture makeStartBackground(const ImageFile& file);
Picture makeOptionsPanel(const ImageFile& file);
Picture makeOptionValues(const ImageFile& file);
Picture makeEndBackground(const ImageFile& file);
Picture makeBanners(const ImageFile& file);

// The cloth of the table and of every other place a ball or a placed tool lies on; one seed so
// that pieces cut from it match.
constexpr uint32_t CLOTH_SEED = 1207;
// The colour the soft edges of balls and placed tools are blended towards: the shadowed cloth
// they almost always lie on, dark enough to pass on the trays and menus too.
constexpr Rgb SPRITE_EDGE = {16, 66, 38};

// A ball of the given sheet cell (0 the selected white ball, 1 to 9 the value colours).
Rgb ballColour(int32_t cell);
void drawBall(cairo_t* cr, double centreX, double centreY, double radius, int32_t cell);
// A soft shadow below and right of a ball, for balls painted into backgrounds.
void drawBallShadow(cairo_t* cr, double centreX, double centreY, double radius);
// A felt-lined groove with a brass lip across the width of a picture, for pocketed balls.
void drawBallTray(Canvas& canvas, double top, double bottom);
// The dark navy wall behind the menus, lit from above at (lightX, lightY), with a faint lattice.
void paintWall(Canvas& canvas, double lightX, double lightY);
// A pocket hole with its dark rim, as on the table.
void drawPocketHole(cairo_t* cr, double centreX, double centreY, double radius);

// A tool's picture in the 22 x 22 square whose top left corner is the current origin.
void drawToolIcon(cairo_t* cr, int32_t kind, bool active);
