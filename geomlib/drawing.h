// The scene drawn with OpenGL into whatever context is current: the window's or an offscreen one.
#pragma once

#include "camera.h"

// Makes c the current OpenGL colour; a colour outside the palette leaves the current one. Call
// outside glBegin/glEnd.
void setColour(Colour c);

// The background and the camera's view for the current context; drawScene draws with them.
void startDrawing(Camera camera);

// The projection for a viewport of this size; a height of 0 counts as 1.
void reshapeView(int width, int height);

// One whole frame, flushed but not presented: circles, lines, segments with their end dots, point
// dots, then ellipses, each later kind over the earlier ones.
void drawScene();

void drawLine(Line line);
void drawCircle(Circle circle);
void drawEllipse(Ellipse ellipse);
