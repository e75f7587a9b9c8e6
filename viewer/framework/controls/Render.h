// Off-screen rendering: what a control shows, as an image, without showing
// a window.
#pragma once

#include <QImage>

class TControl;
class TCustomForm;

// The control at one pixel per pixel, (0,0) its top-left, with every
// visible child. A graphic control is cut out of its parent's rendering.
QImage RenderControl(TControl* control);
// What a form's window shows inside its frame: the menu bar, when it has
// one, above the client area; (0,0) is the top-left of the first of them.
QImage RenderFormClient(TCustomForm* form);
